// The hint below a failed CoGetClassObject: what is missing, and the
// command that registers the library, with the full paths of regsvr and
// of the library where they lie beside the program (as in a build tree).
#include "platform/com/combase.h"
#include "platform/com/guid.h"
#include "platform/com/registrationhint.h"
#include "platform/registry/regkey.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr CLSID kTestClass = {0x0D1E5A77, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};

class RegistrationHintTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        setenv("XDG_CONFIG_HOME", m_folder.path().toUtf8().constData(), 1);
        // The test program lies in the build's bin/ folder, beside regsvr
        // and the libraries, as admin and Chanview do.
        const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        ASSERT_EQ(QFileInfo(program).absolutePath(), binFolder());
    }
    void registerServer(const QString &path)
    {
        const std::string subKey = "CLSID\\" + GuidToString(kTestClass) + "\\InprocServer32";
        CRegKey key;
        ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, subKey.c_str()), ERROR_SUCCESS);
        ASSERT_EQ(key.SetString(nullptr, path), ERROR_SUCCESS);
    }
    static HRESULT classObject()
    {
        void *factory = nullptr;
        const HRESULT result =
            CoGetClassObject(&kTestClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, &factory);
        if (factory)
            static_cast<IUnknown *>(factory)->Release();
        return result;
    }
    static QString binFolder() { return QFileInfo(QStringLiteral(TEST_INPROC_SERVER)).canonicalPath(); }
    static QString bin(const QString &file) { return binFolder() + u'/' + file; }
    static QString library() { return QFileInfo(QStringLiteral(TEST_INPROC_SERVER)).fileName(); }
    QString registerCommand() const
    {
        return QStringLiteral("Register it with:\n    %1 %2")
            .arg(bin(QStringLiteral("regsvr")), bin(library()));
    }

    QTemporaryDir m_folder;
};

TEST_F(RegistrationHintTest, ANotRegisteredLibraryGetsTheCommandThatRegistersIt)
{
    const HRESULT result = classObject();
    ASSERT_EQ(result, REGDB_E_CLASSNOTREG);
    EXPECT_EQ(RegistrationHint(kTestClass, result, library()),
              QStringLiteral("%1 is not registered: neither this user's registrations (%2) nor those "
                             "installed with the programs name it.\n")
                      .arg(library(), m_folder.path() + QStringLiteral("/verbanta/classes.ini")) +
                  registerCommand());
}

TEST_F(RegistrationHintTest, ARegistrationOfAFileThatIsGoneNamesIt)
{
    const QString gone = m_folder.path() + QStringLiteral("/moved/") + library();
    registerServer(gone);
    const HRESULT result = classObject();
    ASSERT_EQ(result, CO_E_DLLNOTFOUND);
    EXPECT_EQ(RegistrationHint(kTestClass, result, library()),
              QStringLiteral("The library registered for it, %1, cannot be loaded: there is no such file.\n")
                      .arg(gone) +
                  registerCommand());
}

TEST_F(RegistrationHintTest, ARegistrationOfALibraryWithoutTheEntryPointNamesIt)
{
    registerServer(QStringLiteral(TEST_NOENTRY_LIBRARY));
    const HRESULT result = classObject();
    ASSERT_EQ(result, CO_E_ERRORINDLL);
    EXPECT_EQ(RegistrationHint(kTestClass, result, library()),
              QStringLiteral("The library registered for it, %1, is not %2: it has no DllGetClassObject.\n")
                      .arg(QStringLiteral(TEST_NOENTRY_LIBRARY), library()) +
                  registerCommand());
}

TEST_F(RegistrationHintTest, ALibraryNotBesideTheProgramGetsTheCommandInGeneral)
{
    const QString hint = RegistrationHint(kTestClass, REGDB_E_CLASSNOTREG, QStringLiteral("libElsewhere.so"));
    EXPECT_TRUE(hint.startsWith(QStringLiteral("libElsewhere.so is not registered"))) << hint.toStdString();
    EXPECT_TRUE(hint.endsWith(QStringLiteral("\n    regsvr /path/to/libElsewhere.so"))) << hint.toStdString();
}

TEST_F(RegistrationHintTest, FailuresThatRegisteringWouldNotMendGetNoHint)
{
    for (HRESULT result : {S_OK, E_NOINTERFACE, E_INVALIDARG, CLASS_E_CLASSNOTAVAILABLE})
        EXPECT_TRUE(RegistrationHint(kTestClass, result, library()).isEmpty()) << std::hex << result;
}

} // namespace
