#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace arb {

class DataControl;
class StaleRow;

// What becomes of the clerk's values when a save meets its contractor
// changed or removed in another window or on another computer: the clerk
// chooses, in one box, to store them over the row as it now is, to copy
// them, or to drop them (for a removed contractor: to register them anew).
// Installed once per window on its data control; nothing typed is dropped
// without that choice.
class WriteConflict : public QObject
{
    Q_OBJECT
public:
    WriteConflict(QWidget *window, DataControl &control);
    ~WriteConflict() override;

    // The contractor the clerk's values were registered as since the last
    // call, or -1.
    qint64 takeRegistered();

    // The captions of the choices.
    static const QString kKeep;
    static const QString kCopy;
    static const QString kDrop;
    static const QString kRegister;

private:
    bool settle(const StaleRow &stale);

    QWidget *m_window;
    QPointer<DataControl> m_control; // may go first when the window unloads
    qint64 m_registered = -1;
};

// The label a window shows a field of table kontraktor under.
QString fieldLabel(const QString &field);

} // namespace arb
