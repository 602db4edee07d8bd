// A host program for the table wizard's library, as other programs use it: it loads the library
// at run time, looks TableWizExec up by name and calls it.
//   tablewizhost LIBRARY describe   the description query: prints the three strings
//   tablewizhost LIBRARY edit       reads a table into the wizard, finishes it, checks the markup
#include "assistants/tablewiz/tablewizexec.h"

#include <QApplication>
#include <QLibrary>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

int Fail(const char *what)
{
    std::fprintf(stderr, "tablewizhost: %s\n", what);
    return 1;
}

int Describe(TTableWizExecFn exec)
{
    const char *name = nullptr;
    const char *description = nullptr;
    const char *category = nullptr;
    TTableWizCall untouched{};
    untouched.StructSize = -1;
    exec(nullptr, &name, &description, &category, &untouched, 1, nullptr);
    if (!name || !description || !category)
        return Fail("a description string was not set");
    std::printf("%s\n%s\n%s\n", name, description, category);
    if (std::strcmp(name, "Table Wizard") != 0 || std::strcmp(description, "Table Wizard") != 0
        || std::strcmp(category, "Table") != 0)
        return Fail("unexpected description");
    if (untouched.StructSize != -1 || untouched.Markup)
        return Fail("the description query touched the call");
    // Null out-parameters are allowed.
    exec(nullptr, nullptr, nullptr, nullptr, nullptr, 2, nullptr);
    return 0;
}

int Edit(int argc, char **argv, TTableWizExecFn exec, TTableWizFreeFn release)
{
    QApplication app(argc, argv);
    // The wizard is modal: once it shows, walk to its last page and press Finish, as a user would.
    QTimer::singleShot(0, [] {
        QWidget *wizard = QApplication::activeModalWidget();
        if (!wizard)
            return;
        auto *next = wizard->findChild<QPushButton *>(QStringLiteral("btnNext"));
        auto *finish = wizard->findChild<QPushButton *>(QStringLiteral("btnFinish"));
        while (next && next->isEnabled())
            next->click();
        if (finish)
            finish->click();
    });
    TTableWizCall call{};
    call.StructSize = int(sizeof(call));
    call.Table =
        "<table class=\"x\">\n<tr><td rowspan=\"2\">\xC3\xA4</td><td>b</td></tr>\n<tr><td>c</td></tr>\n</table>";
    call.Indent = "  ";
    call.LineBreak = "\n";
    exec(nullptr, nullptr, nullptr, nullptr, &call, 0, nullptr);
    if (!call.Markup)
        return Fail("no markup came back");
    const char *want = "<table class=\"x\">\n  <tr>\n      <td rowspan=\"2\">\xC3\xA4</td>\n      <td>b</td>\n  </tr>\n"
                       "  <tr>\n      <td>c</td>\n  </tr>\n  </table>";
    const bool same = std::strcmp(call.Markup, want) == 0;
    std::printf("%s\n", call.Markup);
    release(call.Markup);
    if (!same)
        return Fail("unexpected markup");

    // A call of another size is refused without running anything.
    TTableWizCall old{};
    old.StructSize = 8;
    exec(nullptr, nullptr, nullptr, nullptr, &old, 0, nullptr);
    if (old.Markup)
        return Fail("a call of the wrong size was run");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return Fail("usage: tablewizhost LIBRARY describe|edit");
    QLibrary library(QString::fromLocal8Bit(argv[1]));
    if (!library.load())
        return Fail(qPrintable(library.errorString()));
    auto exec = reinterpret_cast<TTableWizExecFn>(library.resolve("TableWizExec"));
    auto release = reinterpret_cast<TTableWizFreeFn>(library.resolve("TableWizFree"));
    if (!exec || !release)
        return Fail("the library does not export TableWizExec and TableWizFree");
    if (std::strcmp(argv[2], "describe") == 0)
        return Describe(exec);
    if (std::strcmp(argv[2], "edit") == 0)
        return Edit(argc, argv, exec, release);
    return Fail("unknown mode");
}
