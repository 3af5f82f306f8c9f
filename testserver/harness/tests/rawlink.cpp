// Hand-made frames over a POSIX socket; see rawlink.h.
#include "rawlink.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QList>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

void putU32(QByteArray &out, quint32 value)
{
    for (int i = 0; i < 4; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

quint32 getU32(const char *in)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(in[i]);
    }
    return value;
}

} // namespace

RawLink::RawLink(const QString &host, quint16 port) : m_protocol(port % 2 ? 2 : 1)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, host.toLatin1().constData(), &address.sin_addr) != 1) {
        return;
    }
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_fd >= 0 && ::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

RawLink::~RawLink()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

QByteArray RawLink::digest(const QByteArray &a, const QByteArray &password, const QByteArray &b)
{
    return QCryptographicHash::hash(a + password + b, QCryptographicHash::Md5).toHex().toUpper();
}

bool RawLink::sendBytes(const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(m_fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        sent += n;
    }
    return true;
}

bool RawLink::send(quint8 type, quint32 extra, const QByteArray &payload)
{
    QByteArray frame;
    if (m_protocol == 2) {
        frame.append('\0');
        frame.append(static_cast<char>(type));
        frame.append(2, '\0');
        putU32(frame, static_cast<quint32>(payload.size()));
        putU32(frame, extra);
    } else {
        putU32(frame, static_cast<quint32>(payload.size()));
    }
    return sendBytes(frame + payload);
}

bool RawLink::readExactly(char *buffer, qsizetype count, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    qsizetype got = 0;
    while (got < count) {
        const int left = timeoutMs - static_cast<int>(timer.elapsed());
        pollfd waiting{m_fd, POLLIN, 0};
        if (left <= 0 || ::poll(&waiting, 1, left) <= 0) {
            return false;
        }
        const ssize_t n = ::recv(m_fd, buffer + got, count - got, 0);
        if (n <= 0) {
            return false;
        }
        got += n;
    }
    return true;
}

std::optional<RawLink::Frame> RawLink::readFrame(int timeoutMs)
{
    Frame frame;
    quint32 length = 0;
    if (m_protocol == 2) {
        char header[12];
        if (!readExactly(header, sizeof header, timeoutMs)) {
            return std::nullopt;
        }
        frame.type = static_cast<quint8>(header[1]);
        length = getU32(header + 4);
        frame.extra = getU32(header + 8);
    } else {
        char header[4];
        if (!readExactly(header, sizeof header, timeoutMs)) {
            return std::nullopt;
        }
        length = getU32(header);
    }
    frame.payload.resize(length);
    if (length > 0 && !readExactly(frame.payload.data(), length, timeoutMs)) {
        return std::nullopt;
    }
    return frame;
}

bool RawLink::waitClosed(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    char byte;
    while (timer.elapsed() < timeoutMs) {
        pollfd waiting{m_fd, POLLIN, 0};
        if (::poll(&waiting, 1, timeoutMs - static_cast<int>(timer.elapsed())) <= 0) {
            return false;
        }
        const ssize_t n = ::recv(m_fd, &byte, 1, 0);
        if (n == 0 || (n < 0 && errno == ECONNRESET)) {
            return true;
        }
    }
    return false;
}

bool RawLink::login(const QString &user, const QString &password)
{
    const std::optional<Frame> greeting = readFrame();
    if (!greeting) {
        return false;
    }
    const QList<QByteArray> words = greeting->payload.split(' ');
    if (words.size() != 4 || words[0] != "VREADY") {
        return false;
    }
    const QByteArray line = "LOGIN {" + user.toUtf8() + "} " + digest(words[1], password.toUtf8(), words[2]);
    if (!send(1, 0, line)) {
        return false;
    }
    const std::optional<Frame> confirmation = readFrame();
    return confirmation && confirmation->payload == "VCONNECTED";
}

std::optional<QByteArray> RawLink::command(quint32 transaction, const QByteArray &text)
{
    if (!send(1, transaction, text)) {
        return std::nullopt;
    }
    for (;;) {
        std::optional<Frame> frame = readFrame();
        if (!frame) {
            return std::nullopt;
        }
        if (m_protocol == 1 || frame->extra == transaction) {
            return frame->payload;
        }
    }
}
