// The document of a property editor window: a session of the window's own,
// logged in when the window opens and ended when it closes. The editor keeps
// nothing in a file, so there is nothing to serialise.
#pragma once

#include "admin/session/zeltdocument.h"

#include <QString>

class CPropEditDoc : public CZELTDocument {
public:
    CPropEditDoc() = default;

    // The session step; on success the window is titled "Property Editor".
    bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login) override;
    // Ends the session as the window's own doing.
    void OnCloseDocument();

    QString GetTitle() const { return m_title; }

private:
    QString m_title;
};
