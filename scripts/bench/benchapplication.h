// The start of the benchmarks that open admin's windows against the
// simulator: the offscreen platform unless another is asked for, settings
// and temporary files in a folder of the run's own, the application object,
// and the built libConduit.so registered in that folder's store, as regsvr
// does for the demo, so sessions find it through the stand-in COM. The
// benchmark's target defines CONDUIT_LIBRARY_PATH.
#pragma once

#include "platform/com/unknwn.h"

#include <QApplication>
#include <QTemporaryDir>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

class BenchApplication {
public:
    BenchApplication(int &argc, char **argv) : m_application(argc, argv), m_registered(registerConduit()) {}

    // False (and said on the error output) when Conduit could not be
    // registered: the benchmark cannot run.
    bool Ready() const { return m_registered; }

private:
    // Set before the application object exists, which reads it.
    struct Environment {
        Environment()
        {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            const QByteArray path = folder.path().toLocal8Bit();
            setenv("XDG_CONFIG_HOME", path.constData(), 1);
            setenv("TMPDIR", path.constData(), 1);
        }
        QTemporaryDir folder;
    };

    static bool registerConduit()
    {
        void *conduit = dlopen(CONDUIT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        auto registerServer =
            conduit ? reinterpret_cast<HRESULT (*)()>(dlsym(conduit, "DllRegisterServer")) : nullptr;
        if (!registerServer || registerServer() != S_OK) {
            std::fprintf(stderr, "cannot register Conduit\n");
            return false;
        }
        return true;
    }

    Environment m_environment;
    QApplication m_application;
    bool m_registered;
};
