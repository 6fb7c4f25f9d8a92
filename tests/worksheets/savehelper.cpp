// A second program for the tests of saving, saving and deleting as the wizard and the
// catalogue screen do. "ready" on its output comes just before its first save, so
// that a test can aim a kill at the save itself.
//   lumora_savehelper FOLDER save PREFIX COUNT    saves PREFIX1 ... PREFIXCOUNT
//   lumora_savehelper FOLDER delete TITLE
//   lumora_savehelper FOLDER hold -                takes the folder's lock, keeps it
#include "platform/folderlock.h"
#include "platform/seqfile.h"
#include "sampleworksheet.h"
#include "worksheets/catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unistd.h>

using namespace lumora;

int main(int argc, char** argv) {
    if (argc < 4 || ::chdir(argv[1]) != 0)
        return 2;
    const QString verb = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    SharedState state;
    try {
        std::optional<FolderLock> lock;
        if (verb == QLatin1String("hold"))
            lock.emplace(catalogue::Folder);
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        if (lock)
            ::pause();
        for (int i = 1, n = argc == 5 ? std::atoi(argv[4]) : 0; verb == "save" && i <= n; ++i)
            worksheet::saveworksheet(state, testing::sampleWorksheet(name + QString::number(i)));
        if (verb == QLatin1String("delete")) {
            state.delname = name;
            catalogue::delworksheet(state);
        }
    } catch (const FileError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
