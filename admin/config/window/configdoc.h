// The configuration window's document: it owns the window's own session,
// made on the application's session when the document opens and
// disconnected (as this session's own doing, never taken for a lost server)
// when it goes.
#pragma once

#include "admin/session/zeltdocument.h"

#include <QString>

class CConfigPropFrame;

class CConfigDoc : public CZELTDocument {
public:
    CConfigDoc() = default;

    // Titles the document "Configuration Properties" and connects its
    // session; false (after saying why) when the session cannot log in.
    bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login) override;

    QString GetTitle() const { return m_title; }
    CConfigPropFrame *Frame() const { return m_frame; }
    void SetFrame(CConfigPropFrame *frame) { m_frame = frame; }

private:
    QString m_title;
    CConfigPropFrame *m_frame = nullptr;
};
