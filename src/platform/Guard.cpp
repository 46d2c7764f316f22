#include "platform/Guard.h"

#include "data/Failure.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <exception>

namespace arb {

namespace {
void restorePointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
} // namespace

void reportFailure(QWidget *window, const Failure &failure)
{
    restorePointer();
    QString text = failure.message();
    if (!failure.detail().isEmpty())
        text += QStringLiteral("\n\nButiran: ") + failure.detail();
    MessageBox::tell(window, text, QString::fromLatin1(kFailureTitle), MessageBox::Critical);
}

bool guard(QWidget *window, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const Failure &failure) {
        reportFailure(window, failure);
    } catch (const std::exception &e) {
        reportFailure(window, Failure(QStringLiteral("Ralat dalaman aplikasi."), QString::fromLocal8Bit(e.what())));
    }
    return false;
}

} // namespace arb
