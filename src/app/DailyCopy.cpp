#include "app/DailyCopy.h"

#include "data/Locations.h"
#include "data/SafetyCopy.h"
#include "data/Failure.h"
#include "platform/Guard.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QThread>

namespace arb {

QThread *startDailyCopy(const QString &store, const QDate &today)
{
    if (Locations::isServerUrl(Locations::resolve(store)))
        return nullptr; // the server keeps its own backups
    QThread *thread = QThread::create([store, today] {
        try {
            QString notice;
            makeDailyCopy(store, today, &notice);
            if (!notice.isEmpty())
                QMetaObject::invokeMethod(
                    qApp, [notice] { MessageBox::tell(nullptr, notice, QStringLiteral("Mesej"), MessageBox::Information); },
                    Qt::QueuedConnection);
        } catch (const Failure &f) {
            const Failure report(QStringLiteral("Salinan harian pangkalan data tidak dapat dibuat dalam folder: %1\n%2\n"
                                                "Kerja boleh diteruskan; salinan akan dicuba lagi apabila program dibuka semula.")
                                     .arg(dailyCopyFolder(store), f.message()),
                                 f.detail());
            QMetaObject::invokeMethod(qApp, [report] { reportFailure(nullptr, report); }, Qt::QueuedConnection);
        }
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, thread, [thread] { thread->wait(); });
    thread->setObjectName(QStringLiteral("salinan-harian"));
    thread->start(QThread::LowPriority);
    return thread;
}

} // namespace arb
