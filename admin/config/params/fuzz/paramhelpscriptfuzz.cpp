// Puts arbitrary help scripts where the System Parameters window reads its
// help from, and loads them as the window does. What holds for every file:
// a refused file (a first byte ff makes it too large) changes no
// description; a failing one says why; and whatever a script did, the
// interpreter still opens no file and starts no program.
#include "admin/config/params/paramhelpscript.h"
#include "admin/testsupport/fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// Removed with what it holds when the run ends.
std::unique_ptr<QTemporaryDir> folder;

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    REQUIRE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// The script's interpreter cannot reach files or programs.
void requireConfined(CParamHelpScript &help)
{
    const QString probe = folder->filePath(QStringLiteral("probe"));
    const QByteArray tries[] = {"open {" + probe.toUtf8() + "} w", "exec touch {" + probe.toUtf8() + "}",
                                "source {" + probe.toUtf8() + "}", "socket localhost 1"};
    for (const QByteArray &script : tries) {
        QString message;
        REQUIRE(!help.Evaluate(script, message) && !message.isEmpty());
    }
    REQUIRE(!QFile::exists(probe));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = folder->filePath(QStringLiteral("admincv.tcl"));
    CParamHelpScript help;
    QString message;
    if (size > 0 && data[0] == 0xff) {
        REQUIRE(help.Evaluate("set sys_kept {as it was}", message));
        QByteArray large = "set sys_kept changed\n" + bytes.mid(1) + '\n';
        large += QByteArray(CParamHelpScript::kMaxFileSize + 1 - large.size() + 1, '#');
        write(path, large);
        REQUIRE(!help.Load(path, message) && !message.isEmpty());
        REQUIRE(help.Text(QStringLiteral("sys_kept")) == QLatin1String("as it was"));
        return 0;
    }
    write(path, bytes);
    if (!help.Load(path, message))
        REQUIRE(!message.isEmpty());
    (void)help.Text(QStringLiteral("sys_tmo_menu"));
    (void)help.Text(QString::fromUtf8(bytes.left(40)));
    requireConfined(help);
    return 0;
}
