#include "app/ui/terminationhandling.h"

#include "app/ui/mainwindow.h"
#include "platform/qt/terminationwatcher.h"

#include <cstdio>
#include <unistd.h>

void EndOnTerminationSignals(TfrmHTMLEdit &window)
{
    auto *watcher = new TTerminationWatcher(&window);
    QObject::connect(watcher, &TTerminationWatcher::terminationRequested, &window, [&window] {
        window.TerminateNow();
        // Everything worth keeping is on disk now. The program ends here rather than through the
        // event loop: quitting would close the window, whose close asks about every modified
        // document (a question nobody answers when the session is ending), and tearing down the
        // browser engine alone takes over a second.
        std::fflush(nullptr);
        ::_exit(0);
    });
}
