// The Qt generic plugin that puts a LoginDriver into the program that loads
// it (QT_PLUGIN_PATH naming the folder above generic/, and
// QT_QPA_GENERIC_PLUGINS=verbantalogindriver).
#pragma once

#include <QGenericPlugin>

class LoginDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "logindriverplugin.json")
public:
    QObject *create(const QString &key, const QString &parameters) override;
};
