// A window that is nothing but a QObject: for objects that receive messages
// without showing anything (reply targets, workers' partners, tests).
#pragma once

#include "platform/messages/messagetarget.h"

#include <QObject>

class CMessageObject : public QObject, public CMessageTarget {
    Q_OBJECT
public:
    explicit CMessageObject(QObject *parent = nullptr);
    ~CMessageObject() override;
};
