#include "reports/Form3.h"

#include "platform/Twips.h"

namespace arb {

Form3::Form3(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 11910, 7065);
}

} // namespace arb
