// libFuzzer's entry points for one target: FUZZ_HARNESS names the harness function (set per target by CMake).

#include "fuzz/harnesses.h"

#include <QtGlobal>

namespace {
// Debug lines a developer switched on (QT_LOGGING_RULES) would drown libFuzzer's own output; warnings stay.
QtMessageHandler previousHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type != QtDebugMsg && previousHandler)
        previousHandler(type, context, message);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    previousHandler = qInstallMessageHandler(quietHandler);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    return FUZZ_HARNESS(data, size);
}
