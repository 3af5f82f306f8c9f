// Any value quoted by TclWord reads back from the Tcl list splitter as
// exactly one element equal to the value (NUL-free values; NULs take Tcl's
// own escape, which the splitter keeps in its internal form).
#include "admin/session/tclword.h"

#include <tcl.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray value(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArray word = TclWord(value);
    if (value.contains('\0'))
        return 0;
    int count = 0;
    const char **elements = nullptr;
    if (Tcl_SplitList(nullptr, word.constData(), &count, &elements) != TCL_OK)
        std::abort();
    const bool same = count == 1 && QByteArray(elements[0]) == value;
    Tcl_Free(reinterpret_cast<char *>(elements));
    if (!same)
        std::abort();
    if (IsSafeBetweenBraces(value) && word != '{' + value + '}')
        std::abort();
    return 0;
}
