#include "about/Form7.h"

#include "platform/Twips.h"

namespace arb {

Form7::Form7(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Perihal"));
    setClientSize(this, 6000, 4000);
}

} // namespace arb
