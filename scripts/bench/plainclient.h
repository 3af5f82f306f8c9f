// The plain client the link benchmarks compare admin with: the server's
// framing over a blocking socket, one command waiting for its reply, nothing
// else (no session, no threads). Any failure ends the benchmark.
#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QList>
#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
