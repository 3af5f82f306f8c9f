// Feeds arbitrary "GetUA" replies and event-map replies to the mailbox
// editor's record. The input's first line is the box's "GetUA" reply, the
// second the event maps of its own scenario, the third those of its parent
// (every ancestor answers "GetUA" as a top of the tree).
//
// What holds for every reply: a reply that is refused leaves the record as
// it was; a record that was read and not edited sends nothing at all when it
// is saved, neither event maps nor properties.
#include "admin/session/replywaiter.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/scenariouseragent.h"
#include "platform/msgbox/messageboxscript.h"
#include "testsupport/fuzzsupport.h"

#include <cstddef>
#include <cstdint>

namespace {

// The server as the input has it; every command is counted.
class InputServer : public CServerCommandChannel {
public:
    InputServer(const QString &ownMaps, const QString &parentMaps) : m_ownMaps(ownMaps), m_parentMaps(parentMaps) {}

    QString Execute(const QString &command, bool, int) override { return answer(command); }
    HRESULT SendAsync(CMessageTarget *, UINT, WPARAM, const QString &command, bool, int) override
    {
        answer(command);
        return S_OK;
    }
    HRESULT SendNoReply(const QString &command, int) override
    {
        answer(command);
        return S_OK;
    }
    CPendingCommand BeginCommand(const QString &command, bool, int) override
    {
        auto waiter = std::make_shared<CReplyWaiter>(QByteArray(), 1000);
        waiter->Deliver(answer(command));
        return CPendingCommand(waiter, ++m_transaction);
    }
    QString WaitReply(CPendingCommand &command) override
    {
        const std::shared_ptr<CReplyWaiter> waiter = command.Take();
        return waiter ? waiter->Wait(0).value_or(QString()) : QString();
    }

    int Commands() const { return m_commands; }
    void ResetCount() { m_commands = 0; }

private:
    QString answer(const QString &command)
    {
        ++m_commands;
        if (command.startsWith(QLatin1String("GetEventMaps4Scenario")))
            return m_ownMaps;
        if (command.startsWith(QLatin1String("GetEventMaps4UA")))
            return m_parentMaps;
        if (command.startsWith(QLatin1String("GetUA")))
            return QStringLiteral("{10 -1 1 -1 0} {}");
        return QStringLiteral("!ERROR not on this server");
    }

    QString m_ownMaps;
    QString m_parentMaps;
    int m_commands = 0;
    uint32_t m_transaction = 0;
};

// Everything the record shows of itself.
QStringList state(const CScenarioUserAgent &record)
{
    QStringList items{QString::number(record.GetUANumber()), QString::number(record.GetParentNumber()),
                      QString::number(record.GetChangeStamp()), QString::number(record.GetScenarioNumber()),
                      QString::number(record.GetHeaderElement4()), record.GetComment(), record.GetName1(),
                      record.GetName2(), record.GetExtension()};
    for (auto at = record.GetFirstPropertyPosition(); at;) {
        QString name, value;
        record.GetNextProperty(at, name, value);
        items << name << value << QString::number(record.IsPropertyUnlisted(name));
    }
    for (int i = 0; i < CScenarioUserAgent::kEventCount; ++i) {
        const CEventMapRecord &map = record.EventMap(i);
        items << map.recordNumber << QString::number(map.ownScenario) << map.ownMap.app << map.ownMap.param
              << map.inheritedMap.app << map.inheritedMap.param;
    }
    return items;
}

void checkEventMaps(const CScenarioUserAgent &record)
{
    for (int i = 0; i < CScenarioUserAgent::kEventCount; ++i) {
        const CEventMapRecord &map = record.EventMap(i);
        REQUIRE(!map.ownScenario || map.ownMap.present);
        REQUIRE(map.ownMap.dollar == map.ownMap.app.startsWith(QLatin1Char('$')));
        REQUIRE(map.inheritedMap.dollar == map.inheritedMap.app.startsWith(QLatin1Char('$')));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)).split(QLatin1Char('\n'));
    const CTclList splitter;
    MessageBoxScript boxes;
    boxes.answer({IDOK, IDOK, IDOK, IDOK, IDOK, IDOK, IDOK, IDOK});

    InputServer known(QStringLiteral("4 {evMapId 7 scenario 4 eventId 1 app VoiceMail param 101}"),
                      QStringLiteral("1 {evMapId 3 scenario 1 eventId 2 app {$Menu} param {}}"));
    CScenarioUserAgent record;
    REQUIRE(record.Parse(QStringLiteral("{101 10 4 4 0} {&Name1 MaxMessages} &Name1 Bruno &Ext 101 MaxMessages 80"),
                         splitter, known));
    const QStringList before = state(record);

    InputServer server(parts.value(1), parts.value(2));
    if (!record.Parse(parts.value(0), splitter, server)) {
        REQUIRE(state(record) == before);
        return 0;
    }
    checkEventMaps(record);
    server.ResetCount();
    QString reply;
    REQUIRE(record.CommitEventMaps(server, reply, false) == CUserAgent::CommitNothingToSend);
    REQUIRE(server.Commands() == 0);
    return 0;
}
