// What Windows reads from the editor's program file before it runs a line of it: the
// version record Explorer shows, and the manifest that picks the common controls.

#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

const std::wstring kProgram = QString::fromUtf8(TARVOS_PROGRAM).toStdWString();

class VersionRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(kProgram.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version record in " << TARVOS_PROGRAM;
        record.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(kProgram.c_str(), 0, size, record.data()));
    }
    QString text(const wchar_t *block, const wchar_t *name)
    {
        void *value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
        if (!::VerQueryValueW(record.data(), key.c_str(), &value, &length) || length == 0)
            return QStringLiteral("(none)");
        return QString::fromWCharArray(static_cast<const wchar_t *>(value)).trimmed();
    }
    std::vector<char> record;
};

} // namespace

TEST(ProgramFile, IsNamedAsItsVersionRecordSays)
{
    EXPECT_EQ(QFileInfo(QString::fromUtf8(TARVOS_PROGRAM)).fileName(),
              QStringLiteral("TARVOS.exe"));
}

TEST_F(VersionRecord, IsInSimplifiedChineseAndNamesTheProductAndItsVersions)
{
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, sizeof(Translation));
    const auto *translation = static_cast<const Translation *>(value);
    EXPECT_EQ(translation->language, 0x0804);
    EXPECT_EQ(translation->codePage, 1200);

    EXPECT_EQ(text(L"080404b0", L"ProductName"), QStringLiteral("TARVOS"));
    EXPECT_EQ(text(L"080404b0", L"OriginalFilename"), QStringLiteral("TARVOS.exe"));
    EXPECT_EQ(text(L"080404b0", L"FileVersion"), QStringLiteral("1.00"));
    EXPECT_EQ(text(L"080404b0", L"ProductVersion"), QStringLiteral("1.00"));

    ASSERT_TRUE(::VerQueryValueW(record.data(), L"\\", &value, &length));
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(ProgramManifest, NamesA64BitProgramAndTheCommonControlsOfAnyArchitecture)
{
    const HMODULE program = ::LoadLibraryExW(
        kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr);
    const HRSRC found = ::FindResourceW(program, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const HGLOBAL loaded = ::LoadResource(program, found);
    const auto *bytes = static_cast<const char *>(::LockResource(loaded));
    ASSERT_NE(bytes, nullptr);
    const QString manifest =
        QString::fromUtf8(bytes, static_cast<qsizetype>(::SizeofResource(program, found)));
    EXPECT_NE(::FindResourceW(program, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
    ::FreeLibrary(program);

    EXPECT_TRUE(manifest.contains(QStringLiteral(
        R"(<assemblyIdentity version="1.0.0.0" processorArchitecture="amd64" name="TARVOS")")))
        << manifest.toStdString();
    EXPECT_TRUE(manifest.contains(
        QStringLiteral(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")")));
    EXPECT_TRUE(manifest.contains(QStringLiteral(R"(processorArchitecture="*")")));
    EXPECT_FALSE(manifest.contains(QStringLiteral("X86"), Qt::CaseInsensitive));
}
