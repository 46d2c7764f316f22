#include "work/Form5.h"

#include "platform/Twips.h"

namespace arb {

Form5::Form5(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Majlis Daerah Lembah Serindit"));
    setClientSize(this, 7095, 8190);
}

} // namespace arb
