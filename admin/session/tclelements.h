// The element vector the Tcl list splitter hands out, owned: one block that
// holds the pointers and the element texts together, released with Tcl_Free
// when the last holder lets go. Reading an element copies nothing until a
// QString is asked for, which keeps splitting long replies cheap.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>

class CTclElements {
public:
    CTclElements() = default;

    qsizetype size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    QByteArrayView at(qsizetype i) const;
    QString text(qsizetype i) const { return QString::fromUtf8(at(i)); }
    QStringList toStringList() const;

private:
    friend class CTclList;
    struct TclFree {
        void operator()(const char **vector) const;
    };
    CTclElements(const char **vector, qsizetype count);

    std::shared_ptr<const char *> m_vector;
    qsizetype m_count = 0;
};
