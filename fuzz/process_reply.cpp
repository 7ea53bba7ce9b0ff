// Fuzz target for ProcessReply: any bytes, as a unit might send them, go through the login
// tests and the reply grammar of one main window with no connection. Login requests are
// answered from memory; a login dialog that "Invalid password." brings back is cancelled
// at once. Whatever the bytes, nothing crashes, no exception leaves ProcessReply, and the
// displays stay within their limits.
#include "fuzz_window.h"

#include "session/mscomm.h"
#include "session/process_reply.h"
#include "ui/frmTevoHadraConfig.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    frmTevoHadraConfig &w = fuzzWindow("process_reply");
    try {
        session::ProcessReply(w, w.MSComm1,
                              QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (...) {
        std::abort(); // nothing the grammar meets may escape it
    }
    checkDisplayLimits(w);
    startAfresh(w);
    return 0;
}
