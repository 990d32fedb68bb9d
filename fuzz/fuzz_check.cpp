#include "fuzz_targets.h"

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace traxilo::fuzz {

void check(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

void silenceQtMessages() {
    static const bool once = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    (void)once;
}

} // namespace traxilo::fuzz
