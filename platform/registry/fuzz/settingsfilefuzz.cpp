// Fuzzes the line-by-line change of a settings file: the input is a file as
// it may be found (garbage, bytes that are not UTF-8, NULs, sections cut
// short), the first byte choosing the change. Whatever the file holds, the
// change is written, and every line that does not name the changed key is
// still there, byte for byte and in its order; a file that took no change
// is left as it was.
#include "platform/registry/inifile.h"
#include "testsupport/fuzzsupport.h"

#include <QByteArray>
#include <QFile>
#include <QList>

namespace {

QString g_path;

void store(const QByteArray &bytes)
{
    QFile file(g_path);
    REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    REQUIRE(file.write(bytes) == bytes.size());
}

QByteArray stored()
{
    QFile file(g_path);
    REQUIRE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Whether `before`'s lines that do not mention `word` come in `after`, in order.
bool keepsOtherLines(const QByteArray &before, const QByteArray &after, const QByteArray &word)
{
    const QList<QByteArray> lines = after.split('\n');
    qsizetype next = 0;
    for (const QByteArray &line : before.split('\n')) {
        if (line.contains(word))
            continue;
        while (next < lines.size() && lines.at(next) != line)
            ++next;
        if (next == lines.size())
            return false;
        ++next;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static const std::unique_ptr<QTemporaryDir> folder = MakeFuzzFolder();
    g_path = folder->filePath(QStringLiteral("settings.ini"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 65536)
        return 0;
    const QByteArray file(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    store(file);
    CIniFile ini(g_path);
    switch (data[0] % 3) {
    case 0:
        ini.setValue(QStringLiteral("Login/User"), QStringLiteral("admin, or \"root\"\n"));
        break;
    case 1:
        ini.setValue(QStringLiteral("software/verbanta/admin/login/%vuser"), QStringLiteral("sz:admin"));
        break;
    default:
        ini.remove(QStringLiteral("software/verbanta/admin/login"));
        break;
    }
    REQUIRE(ini.write());
    const QByteArray after = stored();
    REQUIRE(keepsOtherLines(file, after, data[0] % 3 == 0 ? "User" : "login"));
    (void)CIniFile::StoredBytes(g_path, QStringLiteral("Login/User"));
    return 0;
}
