// Evaluates arbitrary help scripts in the interpreter paramhelp runs them
// in. What holds for every script: a failing one says why; the variables it
// leaves are a well-formed list of names and values, which admin reads back;
// and whatever a script did, the interpreter still opens no file and starts
// no program.
#include "admin/config/params/helpscriptinterpreter.h"
#include "admin/config/params/helpscriptlimits.h"
#include "testsupport/fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <tcl.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// Removed with what it holds when the run ends.
std::unique_ptr<QTemporaryDir> folder;

void requireNamesAndValues(const QByteArray &variables)
{
    int count = 0;
    const char **elements = nullptr;
    REQUIRE(Tcl_SplitList(nullptr, variables.constData(), &count, &elements) == TCL_OK);
    Tcl_Free(reinterpret_cast<char *>(elements));
    REQUIRE(count % 2 == 0);
}

// The script's interpreter cannot reach files or programs.
void requireConfined(CHelpScriptInterpreter &help)
{
    const QString probe = folder->filePath(QStringLiteral("probe"));
    const QByteArray tries[] = {"open {" + probe.toUtf8() + "} w", "exec touch {" + probe.toUtf8() + "}",
                                "source {" + probe.toUtf8() + "}", "socket localhost 1"};
    for (const QByteArray &script : tries) {
        QString reason;
        REQUIRE(!help.Evaluate(script, reason) && !reason.isEmpty());
    }
    REQUIRE(!QFile::exists(probe));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = MakeFuzzFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (qint64(size) > HelpScriptLimits::kMaxScriptSize)
        return 0;
    const QByteArray script(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CHelpScriptInterpreter help(HelpScriptLimits::kMaxMemoryBytes);
    QString reason;
    if (!help.Evaluate(script, reason))
        REQUIRE(!reason.isEmpty());
    requireNamesAndValues(help.Variables());
    requireConfined(help);
    return 0;
}
