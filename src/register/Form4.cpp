#include "register/Form4.h"

#include "platform/Twips.h"

namespace arb {

Form4::Form4(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 7305, 7245);
}

} // namespace arb
