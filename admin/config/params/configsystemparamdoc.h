// The System Parameters window's document: it owns the window's own session,
// fetches the server's "sys_" parameters with their "meta_" descriptions,
// keeps the working copy the list view edits and a reference copy of what
// the server holds, and writes the differences back in two guarded batches
// (removals first, then the values set).
//
// The reference copy follows every save: a line the server took becomes the
// new reference, a line it refused keeps the old one, so the next save
// sends that line again and never a change that was already made.
#pragma once

#include "admin/config/params/sysparammeta.h"
#include "admin/session/zeltdocument.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class CConfigSystemParamDoc : public CZELTDocument {
public:
    CConfigSystemParamDoc() = default;
    ~CConfigSystemParamDoc() override;

    // Connects the session and fetches the parameters. False (after saying
    // why) when the session cannot log in or a fetch reply is an error or
    // cannot be read: then no window is shown.
    bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login) override;
    // Writes the differences back; clears the modified flag when every line
    // was taken. The path is not used: the server is the only store.
    bool OnSaveDocument();
    // The closing question when there are unsaved changes; true when the
    // window may close.
    bool SaveModified();
    // The two batches; false (after naming what failed) when a batch or a
    // line of it was refused.
    bool SaveToServer();

    QString GetTitle() const { return m_title; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    // The working copy: parameter name to value.
    QHash<QString, QString> &Values() { return m_values; }
    const QHash<QString, QString> &Values() const { return m_values; }
    // The parameter names in the order the server listed them.
    const QStringList &ParamNames() const { return m_paramNames; }
    // The description of a parameter ("meta_" + name), or null.
    const CSysParamMeta *Description(const QString &paramName) const;

    QString CurrentParam() const { return m_currentParam; }
    void SetCurrentParam(const QString &name) { m_currentParam = name; }

    // Builds the batch texts from the working and reference copies; the
    // names each batch carries, in order, come back in the lists.
    QString BuildRemoveBatch(QStringList &names) const;
    QString BuildSetBatch(QStringList &names) const;

private:
    bool fetch();
    // Sends one guarded batch and gives the names whose line failed; false,
    // with the reason, when the batch itself was refused or its reply
    // cannot be read.
    bool runBatch(const QString &batch, QStringList &failed, QString &reason);
    void reportFailure(const QString &what, const QString &reason, const QStringList &names) const;

    QString m_title;
    QString m_descriptionReply;
    QStringList m_paramNames;
    // What the server holds, as far as this window knows.
    QHash<QString, QString> m_reference;
    QStringList m_descriptionNames;
    QHash<QString, QString> m_values;
    std::map<QString, std::unique_ptr<CSysParamMeta>> m_descriptions;
    QString m_currentParam;
    bool m_bModified = false;
};
