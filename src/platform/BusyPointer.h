#pragma once

namespace arb {

// Hourglass for a long action: set at its start, pending events run once so
// that the pointer shows, normal again when the action ends however it ends.
class BusyPointer
{
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    bool m_active = true;
};

} // namespace arb
