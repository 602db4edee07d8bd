#include "app/ui/terminationhandling.h"

#include "app/ui/mainwindow.h"
#include "platform/qt/terminationwatcher.h"

#include <QCoreApplication>

void EndOnTerminationSignals(TfrmHTMLEdit &window)
{
    auto *watcher = new TTerminationWatcher(&window);
    QObject::connect(watcher, &TTerminationWatcher::terminationRequested, &window, [&window] {
        window.TerminateNow();
        // exit, not quit: quit closes the window, whose close asks about every modified document,
        // and a question nobody answers keeps the program from ending. exit also leaves the event
        // loop of any dialog that is open.
        QCoreApplication::exit(0);
    });
}
