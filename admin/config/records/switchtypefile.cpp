// See switchtypefile.h. The line layout: 1 switch type, 2 integration
// timeout, 3-26 integration patterns, 27-50 SMDI patterns, 51 maximum
// extension length, 52-55 baud, data bits, parity and stop bits (as texts),
// 56-80 dial codes 1 to 25, 81 integration type, 82 line protocol, 83 T1
// protocol, 84 transfer support.
#include "admin/config/records/switchtypefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr int kPatternsLine = 3;
constexpr int kSmdiPatternsLine = 27;
constexpr int kMaxExtensionLine = 51;
constexpr int kBaudLine = 52;
constexpr int kDataBitsLine = 53;
constexpr int kParityLine = 54;
constexpr int kStopBitsLine = 55;
constexpr int kDialCodesLine = 56;
constexpr int kIntegrationTypeLine = 81;
constexpr int kLineProtocolLine = 82;
constexpr int kT1ProtocolLine = 83;
constexpr int kTransferLine = 84;

bool hasControlCharacter(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            return true;
    return false;
}

QString rightTrimmed(const QString &line)
{
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == QLatin1Char(' ') || line[end - 1] == QLatin1Char('\t') ||
                       line[end - 1] == QLatin1Char('\r') || line[end - 1] == QLatin1Char('\n')))
        --end;
    return line.left(end);
}

// Where each line of a file goes; values that the page would refuse when
// typed leave their field as it was.
void applyLine(int number, const QString &value, IntegrationGroupRecord &record, bool keepLineSettings)
{
    using namespace SerialSettings;
    if (hasControlCharacter(value))
        return;
    if (number == 2) {
        record.integrationTimeout = value;
    } else if (number >= kPatternsLine && number < kSmdiPatternsLine) {
        if (IntegrationValues::IsAcceptableStoredPattern(value))
            record.integrationPatterns[number - kPatternsLine] = value;
    } else if (number >= kSmdiPatternsLine && number < kMaxExtensionLine) {
        if (IntegrationValues::IsAcceptableStoredPattern(value))
            record.smdiPatterns[number - kSmdiPatternsLine] = value;
    } else if (number == kMaxExtensionLine) {
        if (value.isEmpty() || IntegrationValues::IsValidMaxExtensionLength(value))
            record.maxExtensionLength = value;
    } else if (number == kBaudLine) {
        record.baudIndex = Lookup(BaudRates(), value, DefaultBaud);
    } else if (number == kDataBitsLine) {
        record.dataBitsIndex = Lookup(DataBits(), value, DefaultDataBits);
    } else if (number == kParityLine) {
        record.parityIndex = Lookup(ParityNames(), value, DefaultParity);
    } else if (number == kStopBitsLine) {
        record.stopBitsIndex = Lookup(StopBitNames(), value, DefaultStopBits);
    } else if (number >= kDialCodesLine && number < kIntegrationTypeLine) {
        record.dialCodes[number - kDialCodesLine] = value;
    } else if (keepLineSettings) {
        return;
    } else if (number == kIntegrationTypeLine) {
        record.integrationType =
            value == QLatin1String("0") || value == QLatin1String("1") ? value : QStringLiteral("2");
    } else if (number == kLineProtocolLine) {
        const bool known = value.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0 ||
                           value.compare(QLatin1String("T1"), Qt::CaseInsensitive) == 0 ||
                           value.compare(QLatin1String("ISDN"), Qt::CaseInsensitive) == 0;
        record.lineProtocol = known ? value : QStringLiteral("None");
    } else if (number == kT1ProtocolLine) {
        record.t1Protocol = record.lineProtocol == QLatin1String("T1") ? value : QString();
    } else if (number == kTransferLine) {
        record.transferSupport =
            value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || value == QLatin1String("0")
                ? 0
                : 1;
    }
}

} // namespace

QString CSwitchTypeFile::ReservedName()
{
    return QStringLiteral("Talvo VLM");
}

bool CSwitchTypeFile::IsReserved(const QString &name)
{
    return NormalName(name).compare(NormalName(ReservedName()), Qt::CaseInsensitive) == 0;
}

QString CSwitchTypeFile::Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/verbanta/switchtypes");
}

QString CSwitchTypeFile::NormalName(const QString &name)
{
    QString normal = name;
    normal.replace(QLatin1Char(' '), QLatin1Char('_'));
    return normal;
}

bool CSwitchTypeFile::IsValidName(const QString &name)
{
    if (name.isEmpty() || name.size() > MaxNameLength || name.startsWith(QLatin1Char('.')) ||
        name.contains(QLatin1String("..")) || hasControlCharacter(name))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QString CSwitchTypeFile::FileName(const QString &name)
{
    return NormalName(name) + QStringLiteral(".pbx");
}

QString CSwitchTypeFile::Path(const QString &name)
{
    return IsValidName(name) ? Folder() + QLatin1Char('/') + FileName(name) : QString();
}

bool CSwitchTypeFile::Exists(const QString &name)
{
    const QString path = Path(name);
    return !path.isEmpty() && QFileInfo::exists(path);
}

QStringList CSwitchTypeFile::List()
{
    QStringList titles;
    const QFileInfoList files = QDir(Folder()).entryInfoList(
        {QStringLiteral("*.pbx")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString title = file.fileName().chopped(4);
        if (IsValidName(title) && title == NormalName(title))
            titles << title;
    }
    return titles;
}

CSwitchTypeFile::ReadResult CSwitchTypeFile::Read(const QString &name, IntegrationGroupRecord &record,
                                                  bool keepLineSettings, QString &error)
{
    const QString path = Path(name);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return ReadResult::Missing;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) {
        error = QStringLiteral("%1 is not a switch-type file.").arg(info.fileName());
        return ReadResult::Refused;
    }
    if (info.size() > MaxFileSize) {
        error = QStringLiteral("%1 is %2 bytes long; a switch-type file has at most %3.")
                    .arg(info.fileName())
                    .arg(info.size())
                    .arg(MaxFileSize);
        return ReadResult::Refused;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 cannot be read: %2").arg(info.fileName(), file.errorString());
        return ReadResult::Refused;
    }
    const QByteArray content = file.read(MaxFileSize + 1);
    if (content.size() > MaxFileSize) {
        error = QStringLiteral("%1 grew while it was read.").arg(info.fileName());
        return ReadResult::Refused;
    }
    QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast(); // the end of the last line, not a line of its own
    ApplyLines(lines.mid(0, LineCount), NormalName(name), record, keepLineSettings);
    return ReadResult::Read;
}

void CSwitchTypeFile::ApplyLines(const QStringList &lines, const QString &requestedName,
                                 IntegrationGroupRecord &record, bool keepLineSettings)
{
    if (lines.isEmpty())
        return;
    const QString first = rightTrimmed(lines.first());
    record.switchType = IsValidName(first) ? first : requestedName;
    record.t1Protocol.clear();
    record.transferSupport = 1;
    record.smdiPortName.clear();
    const int count = int(qMin<qsizetype>(lines.size(), LineCount));
    for (int number = 2; number <= count; ++number)
        applyLine(number, rightTrimmed(lines.at(number - 1)), record, keepLineSettings);
}

bool CSwitchTypeFile::Format(const IntegrationGroupRecord &record, const QString &name, QByteArray &content,
                             QString &error)
{
    using namespace SerialSettings;
    if (!IsValidName(name)) {
        error = QStringLiteral("'%1' can not be the name of a switch type file.").arg(name);
        return false;
    }
    QStringList lines;
    lines << NormalName(name) << record.integrationTimeout;
    for (const QString &pattern : record.integrationPatterns)
        lines << pattern;
    for (const QString &pattern : record.smdiPatterns)
        lines << pattern;
    lines << record.maxExtensionLength << TextAt(BaudRates(), record.baudIndex, DefaultBaud)
          << TextAt(DataBits(), record.dataBitsIndex, DefaultDataBits)
          << TextAt(ParityNames(), record.parityIndex, DefaultParity)
          << TextAt(StopBitNames(), record.stopBitsIndex, DefaultStopBits);
    for (const QString &code : record.dialCodes)
        lines << code;
    lines << record.integrationType << record.lineProtocol << record.t1Protocol
          << QString::number(record.transferSupport);
    Q_ASSERT(lines.size() == LineCount);
    content.clear();
    for (int i = 0; i < lines.size(); ++i) {
        if (hasControlCharacter(lines.at(i))) {
            error = QStringLiteral("Line %1 of the switch type would hold a control character.").arg(i + 1);
            return false;
        }
        content += lines.at(i).toUtf8() + "\r\n";
    }
    return true;
}

bool CSwitchTypeFile::Write(const IntegrationGroupRecord &record, const QString &name, QString &error)
{
    QByteArray content;
    if (!Format(record, name, content, error))
        return false;
    if (!QDir().mkpath(Folder())) {
        error = QStringLiteral("The folder %1 can not be created.").arg(Folder());
        return false;
    }
    QSaveFile file(Path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool CSwitchTypeFile::Remove(const QString &name, QString &error)
{
    const QString path = Path(name);
    QFile file(path);
    if (path.isEmpty() || !file.remove()) {
        error =
            path.isEmpty() ? QStringLiteral("'%1' names no switch type file.").arg(name) : file.errorString();
        return false;
    }
    return true;
}
