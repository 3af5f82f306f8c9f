// A distribution list of 10 000 members loaded into its editor and saved
// back, as the administrator does (the editor window on a session of its
// own, the grid filled from the server's reply, the members cell edited and
// left), against the server simulator; then a plain client that logs in and
// sends the same command lines, taken from the simulator's log, one
// blocking exchange at a time. Printed: admin's wall time for the load and
// for the save beside the plain client's (the bound: 2 times), best of
// several rounds.
//   admin_distlist_bench [members [rounds]]   (default 10000 members, 3 rounds)
#include "admin/session/zeltsession.h"
#include "admin/uatools/distlistdoc.h"
#include "admin/uatools/distlistframe.h"
#include "admin/uatools/distlistfrm.h"
#include "admin/widgets/spreadsheet.h"
#include "platform/com/unknwn.h"
#include "platform/msgbox/messageboxscript.h"
#include "testserver/harness/simulatorprocess.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// --- the plain client --------------------------------------------------------

class PlainClient {
public:
    PlainClient(const QString &host, quint16 port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        ::inet_pton(AF_INET, host.toLatin1().constData(), &address.sin_addr);
        if (::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            fail("cannot connect to the simulator");
        int one = 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    ~PlainClient() { ::close(m_fd); }

    void login(const QByteArray &user, const QByteArray &password)
    {
        quint32 extra = 0;
        const QList<QByteArray> greeting = read(extra).split(' ');
        if (greeting.size() < 4 || greeting[0] != "VREADY")
            fail("no greeting");
        const QByteArray digest =
            QCryptographicHash::hash(greeting[1] + password + greeting[2], QCryptographicHash::Md5).toHex();
        write(0, "LOGIN {" + user + "} " + digest);
        if (!read(extra).startsWith("VCONNECTED"))
            fail("login refused");
    }
    // One command, waiting for its reply as Execute does.
    QByteArray exchange(const QByteArray &text)
    {
        const quint32 transaction = ++m_transaction;
        write(transaction, text);
        for (;;) {
            quint32 extra = 0;
            QByteArray reply = read(extra);
            if (extra == transaction)
                return reply;
        }
    }

private:
    [[noreturn]] static void fail(const char *why)
    {
        std::fprintf(stderr, "plain client: %s\n", why);
        std::exit(1);
    }
    void write(quint32 extra, const QByteArray &payload)
    {
        QByteArray bytes(12, '\0');
        bytes[1] = 1;
        const quint32 length = quint32(payload.size());
        std::memcpy(bytes.data() + 4, &length, 4);
        std::memcpy(bytes.data() + 8, &extra, 4);
        bytes += payload;
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t n =
                ::send(m_fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
            if (n <= 0)
                fail("link lost while sending");
            done += n;
        }
    }
    void readExactly(char *buffer, size_t length)
    {
        for (size_t done = 0; done < length;) {
            const ssize_t n = ::recv(m_fd, buffer + done, length - done, 0);
            if (n <= 0)
                fail("link lost while reading");
            done += size_t(n);
        }
    }
    QByteArray read(quint32 &extra)
    {
        char header[12];
        readExactly(header, sizeof header);
        quint32 length = 0;
        std::memcpy(&length, header + 4, 4);
        std::memcpy(&extra, header + 8, 4);
        QByteArray payload(qsizetype(length), '\0');
        readExactly(payload.data(), length);
        return payload;
    }

    int m_fd = -1;
    quint32 m_transaction = 0;
};

double Elapsed(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

QStringList LinesOf(const QList<testserver::LoggedCommand> &log)
{
    QStringList lines;
    for (const testserver::LoggedCommand &entry : log)
        if (entry.transaction != 0)
            lines.append(entry.text);
    return lines;
}

// Members: every other number from `first`, `count` of them.
QString Members(int first, int count)
{
    QStringList numbers;
    numbers.reserve(count);
    for (int i = 0; i < count; ++i)
        numbers.append(QString::number(first + 2 * i));
    return numbers.join(QLatin1Char(' '));
}

double Best(double best, double run)
{
    return best == 0 || run < best ? run : best;
}

} // namespace

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    setenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit().constData(), 1);
    setenv("TMPDIR", folder.path().toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);

    void *conduit = dlopen(CONDUIT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    auto registerServer =
        conduit ? reinterpret_cast<HRESULT (*)()>(dlsym(conduit, "DllRegisterServer")) : nullptr;
    if (!registerServer || registerServer() != S_OK) {
        std::fprintf(stderr, "cannot register Conduit\n");
        return 1;
    }

    testserver::SimulatorProcess simulator;
    simulator.seed(
        QStringLiteral("ua 700 -parent 2147483646 -stamp 1 {&Name2 Everyone System_Distribution_List {%1}}")
            .arg(Members(100000, count)));
    CSessionSettings settings;
    settings.port = simulator.port();
    const CLoginCredentials login{simulator.host(), QStringLiteral("Cardomel"), QStringLiteral("Cardomel")};
    CZELTSession session(settings);
    session.Connect(login);
    const QStringList upload = LinesOf(simulator.commandLog());

    MessageBoxScript boxes; // a box shown would be a failure: none is answered
    QMdiArea area;
    CDistListFrm::Services services;
    services.applicationChannel = &session;
    services.rootText = QStringLiteral("DL");

    double adminLoad = 0, adminSave = 0, plainLoad = 0, plainSave = 0;
    QStringList loadLines, saveLines;
    for (int round = 0; round < rounds; ++round) {
        auto document = std::make_unique<CDistListDoc>(CAdminDoc::Account{});
        if (!document->OnNewDocument(session, login))
            return 1;
        // The new session's first command waits until the server has read
        // the procedures uploaded at login, which the plain client, logged
        // in once, does not: that wait is the login's, not the editor's.
        document->Execute(QStringLiteral("set sys_dl_long"));
        simulator.clearLog();
        QElapsedTimer clock;
        clock.start();
        auto *frame = new CDistListFrame(std::move(document), services);
        area.addSubWindow(frame);
        CDistListFrm *form = frame->GetActiveView();
        form->OnInitialUpdate();
        adminLoad = Best(adminLoad, Elapsed(clock));
        loadLines = LinesOf(simulator.commandLog());
        if (form->RowCount() < 1) {
            std::fprintf(stderr, "no list loaded\n");
            return 1;
        }
        int row = 1;
        for (; row <= form->RowCount(); ++row) {
            form->Grid()->SetCol(CDistListFrm::ColNumber);
            form->Grid()->SetRow(row);
            if (form->Grid()->GetText() == QLatin1String("700"))
                break;
        }
        // The administrator's edit: every member moved by one, comma-separated.
        const QString edited = Members(100001 + round, count).replace(QLatin1Char(' '), QLatin1Char(','));
        simulator.clearLog();
        clock.restart();
        form->Grid()->item(row - 1, CDistListFrm::ColMembers - 1)->setText(edited);
        if (!form->SaveFieldChange()) {
            std::fprintf(stderr, "the save was refused\n");
            return 1;
        }
        adminSave = Best(adminSave, Elapsed(clock));
        saveLines = LinesOf(simulator.commandLog());
        delete frame;

        // A fresh link for the plain client too, logged in and given the
        // procedures before its clock starts, as the editor's was.
        PlainClient client(simulator.host(), simulator.port());
        client.login("Cardomel", "Cardomel");
        for (const QString &line : upload)
            client.exchange(line.toUtf8());
        client.exchange("set sys_dl_long");
        clock.restart();
        for (const QString &line : loadLines)
            client.exchange(line.toUtf8());
        plainLoad = Best(plainLoad, Elapsed(clock));
        clock.restart();
        for (const QString &line : saveLines)
            client.exchange(line.toUtf8());
        plainSave = Best(plainSave, Elapsed(clock));
    }

    std::printf("a distribution list of %d members, best of %d runs each\n", count, rounds);
    std::printf("load     admin %9.1f ms   plain client %9.1f ms   ratio %.3f (bound 2)   %lld commands\n",
                adminLoad, plainLoad, adminLoad / plainLoad, qlonglong(loadLines.size()));
    std::printf("save     admin %9.1f ms   plain client %9.1f ms   ratio %.3f (bound 2)   %lld commands\n",
                adminSave, plainSave, adminSave / plainSave, qlonglong(saveLines.size()));
    std::printf("both     admin %9.1f ms   plain client %9.1f ms   ratio %.3f (bound 2)\n",
                adminLoad + adminSave, plainLoad + plainSave,
                (adminLoad + adminSave) / (plainLoad + plainSave));
    return 0;
}
