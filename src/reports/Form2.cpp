#include "reports/Form2.h"

#include "platform/Twips.h"

namespace arb {

Form2::Form2(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Cetak"));
    setClientSize(this, 6000, 4000);
}

} // namespace arb
