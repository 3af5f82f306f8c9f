// A plain TCP link that frames by hand, for tests that must see the
// simulator's bytes with none of the project's client code in between. It
// knows both framings (12-byte header on odd ports, length prefix on even
// ones) and the greeting/digest login; every read is bounded.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class RawLink {
public:
    struct Frame {
        quint8 type = 0;
        quint32 extra = 0;
        QByteArray payload;
    };

    RawLink(const QString &host, quint16 port);
    ~RawLink();
    RawLink(const RawLink &) = delete;
    RawLink &operator=(const RawLink &) = delete;

    bool isConnected() const { return m_fd >= 0; }
    bool send(quint8 type, quint32 extra, const QByteArray &payload);
    bool sendBytes(const QByteArray &bytes);
    // Empty when nothing whole arrived in time or the link closed. The
    // default only catches a hang: a loaded machine can be slow to answer.
    std::optional<Frame> readFrame(int timeoutMs = 60000);
    // True when the peer closes the link within the time.
    bool waitClosed(int timeoutMs = 60000);
    // Reads the greeting, answers with the digest and waits for "VCONNECTED".
    bool login(const QString &user, const QString &password);
    // Sends a command with a transaction number and reads frames until the one
    // carrying that number comes.
    std::optional<QByteArray> command(quint32 transaction, const QByteArray &text);

    static QByteArray digest(const QByteArray &a, const QByteArray &password, const QByteArray &b);

private:
    bool readExactly(char *buffer, qsizetype count, int timeoutMs);

    int m_fd = -1;
    int m_protocol;
};
