// The registration tool as the demo uses it: after it ran on libConduit.so
// in a private store, CoGetClassObject finds the library; -u takes the
// registration away again; and what it cannot do it says with its status.
#include "conduit/ids.h"
#include "platform/com/combase.h"
#include "platform/registry/tests/privatestoretool.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

class RegsvrTool : public PrivateStoreTool {
protected:
    int run(const QStringList &arguments) { return runTool(QStringLiteral(REGSVR_PATH), arguments); }

    static HRESULT classObject()
    {
        void *factory = nullptr;
        const HRESULT result =
            CoGetClassObject(&CLSID_Conduit, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, &factory);
        if (factory)
            static_cast<IUnknown *>(factory)->Release();
        return result;
    }
};

TEST_F(RegsvrTool, RegistersTheLibrarySoCoGetClassObjectFindsIt)
{
    EXPECT_EQ(classObject(), REGDB_E_CLASSNOTREG);
    ASSERT_EQ(run({QStringLiteral(CONDUIT_LIBRARY_PATH)}), 0) << m_output.constData();
    EXPECT_EQ(classObject(), S_OK);
}

TEST_F(RegsvrTool, UnregistersWithDashU)
{
    ASSERT_EQ(run({QStringLiteral(CONDUIT_LIBRARY_PATH)}), 0) << m_output.constData();
    ASSERT_EQ(run({QStringLiteral("-u"), QStringLiteral(CONDUIT_LIBRARY_PATH)}), 0) << m_output.constData();
    EXPECT_EQ(classObject(), REGDB_E_CLASSNOTREG);
}

TEST_F(RegsvrTool, SaysWhatItCannotDoInItsStatus)
{
    EXPECT_EQ(run({}), 1);
    EXPECT_EQ(run({QStringLiteral("-x"), QStringLiteral(CONDUIT_LIBRARY_PATH)}), 1);
    EXPECT_EQ(run({m_store.path() + QStringLiteral("/missing.so")}), 2);
    EXPECT_TRUE(m_output.contains("missing.so")) << m_output.constData();
    // A library without the entry point: Qt's own core library.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void *>(&qVersion), &info), 0);
    EXPECT_EQ(run({QString::fromLocal8Bit(info.dli_fname)}), 3);
}

// Asked for help, or given nothing, the tool says what it does and what
// its option means (-u unregisters).
TEST_F(RegsvrTool, ExplainsItsOptionsWhenAskedOrGivenNothing)
{
    EXPECT_EQ(run({QStringLiteral("--help")}), 0);
    const QByteArray help = m_output;
    EXPECT_TRUE(help.contains("usage: regsvr [-u] LIBRARY")) << help.constData();
    EXPECT_TRUE(help.contains("-u      unregister LIBRARY instead")) << help.constData();
    EXPECT_TRUE(help.contains("for the\ncurrent user")) << help.constData();
    EXPECT_EQ(run({}), 1);
    EXPECT_EQ(m_output, help);
}

} // namespace
