#pragma once

#include <QString>

namespace arb {

// A box bound to a field of a data control's current row (a text box on a
// window). The data control shows the field in it whenever the row changes
// and writes its text back when it was changed.
class BoundValue
{
public:
    virtual ~BoundValue() = default;
    virtual QString boundField() const = 0;
    // Show the field's text (a null as empty); the box is then unchanged.
    virtual void showValue(const QString &text) = 0;
    virtual bool valueChanged() const = 0;
    virtual QString valueText() const = 0;
};

} // namespace arb
