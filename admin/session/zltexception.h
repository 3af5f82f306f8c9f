// The session's failures. A session throws these by value; windows catch
// them where a slot or a message handler enters the system's code, show the
// text and give up the operation, so no exception crosses a Qt event handler.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <exception>

class CZltException : public std::exception {
public:
    explicit CZltException(const QString &text);
    // The text of a string-table id, or "Unknown error %d." when it has none.
    explicit CZltException(unsigned stringId);

    QString text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // Copies the text into `buffer`, cut to fit and always NUL-terminated.
    // False when there is no room at all.
    bool GetErrorMessage(char *buffer, std::size_t size) const;
    // Shows the text in a message box of `type` (MB_ styles); an exception
    // without text shows string `emptyTextId` instead. The box's answer.
    int ReportError(unsigned type = 0, unsigned emptyTextId = 0) const;

private:
    QString m_text;
    QByteArray m_utf8;
};
