#include "store/Settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Sets or clears an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserRegistryTest, KeyNameReplacesBlanksAndDots) {
  const struct {
    const char* Program;
    const char* Key;
  } cases[] = {
      {"my prog.v2.exe", "Software\\Darsel\\my_prog_v2_exe"},
      {"lectora", "Software\\Darsel\\lectora"},
      {"Lectora 22.exe", "Software\\Darsel\\Lectora_22_exe"},
      {"lectora-cli", "Software\\Darsel\\lectora-cli"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    const TUserRegistry registry(dir.Path(), c.Program);
    EXPECT_EQ(registry.KeyName(), c.Key);
    EXPECT_EQ(registry.FileName(), dir.Path() + "Darsel/Registry.ini");
  }
}

TEST(UserRegistryTest, ValuesPersistPerProgram) {
  TempDir dir;
  TUserRegistry registry(dir.Path(), "my prog.v2");
  std::string value = "stale";
  registry.ReadRegValue("SetupPath", value);
  EXPECT_EQ(value, "");
  EXPECT_FALSE(std::filesystem::exists(registry.FileName()));

  registry.WriteRegValue("SetupPath", "/media/cdrom");
  TUserRegistry other(dir.Path(), "lectora-cli");
  other.WriteRegValue("SetupPath", "/srv/bibles");
  registry.WriteRegValue("SetupPath", "/mnt/usb");

  std::string mine, theirs;
  TUserRegistry(dir.Path(), "my prog.v2").ReadRegValue("SetupPath", mine);
  other.ReadRegValue("SetupPath", theirs);
  EXPECT_EQ(mine, "/mnt/usb");
  EXPECT_EQ(theirs, "/srv/bibles");
  EXPECT_EQ(ReadFile(registry.FileName()),
            "[Software\\Darsel\\my_prog_v2]\r\nSetupPath=/mnt/usb\r\n"
            "[Software\\Darsel\\lectora-cli]\r\nSetupPath=/srv/bibles\r\n");
}

TEST(UserRegistryTest, UnreadableFileReadsEmptyAndIsNotOverwritten) {
  TempDir dir;
  TUserRegistry registry(dir.Path(), "lectora");
  std::filesystem::create_directories(registry.FileName());
  std::string value = "stale";
  registry.ReadRegValue("SetupPath", value);
  EXPECT_EQ(value, "");
  EXPECT_THROW(registry.WriteRegValue("SetupPath", "/x"), LectoraError);
  EXPECT_TRUE(std::filesystem::is_directory(registry.FileName()));
}

TEST(UserRegistryTest, DefaultConfigHomeFollowsTheEnvironment) {
  ScopedEnv home("HOME", "/home/reader");
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/etc/xdg-user");
    EXPECT_EQ(TUserRegistry::DefaultConfigHome(), "/etc/xdg-user");
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(TUserRegistry::DefaultConfigHome(), "/home/reader/.config");
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(TUserRegistry::DefaultConfigHome(), "/home/reader/.config");
  }
}

TEST(SettingsTest, SettingsFileIsNamedAfterTheProgram) {
  const struct {
    const char* Program;
    const char* Ini;
  } cases[] = {
      {"lectora", "lectora.ini"},
      {"Lectora22.exe", "Lectora22.ini"},
      {"my prog.v2.exe", "my prog.v2.ini"},
      {".hidden", ".hidden.ini"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const TSettings settings(dir.Path(), c.Program, dir.File("config"));
    EXPECT_EQ(settings.Ini().FileName(), dir.Path() + c.Ini);
  }
}

TEST(SettingsTest, FirstRunAndWritesReachTheFile) {
  TempDir dir;
  const std::string folder = dir.Path().substr(0, dir.Path().size() - 1);
  {
    TSettings settings(folder, "lectora", dir.File("config"));
    EXPECT_EQ(settings.SetupFolder(), dir.Path());
    EXPECT_TRUE(settings.FirstRun());
    EXPECT_FALSE(settings.RunningFromCD());
    settings.Ini().WriteInteger("MainWindow", "Top", 7);
    settings.Registry().WriteRegValue("SetupPath", "/media/cdrom");
  }
  EXPECT_EQ(ReadFile(dir.File("lectora.ini")), "[MainWindow]\r\nTop=7\r\n");
  const TSettings again(dir.Path(), "lectora", dir.File("config"));
  EXPECT_FALSE(again.FirstRun());
  EXPECT_EQ(again.Ini().ReadInteger("MainWindow", "Top", 0), 7);
  std::string root;
  again.Registry().ReadRegValue("SetupPath", root);
  EXPECT_EQ(root, "/media/cdrom");
}

TEST(SettingsTest, ReadOnlySettingsAreReadButNeverWritten) {
  TempDir dir;
  WriteFile(dir.File("lectora-cli.ini"), "[Bible0]\r\nPath=KJV\r\n");
  {
    TSettings settings(dir.Path(), "lectora-cli", dir.File("config"), true);
    EXPECT_TRUE(settings.RunningFromCD());
    EXPECT_EQ(settings.Ini().ReadString("Bible0", "Path", ""), "KJV");
    settings.Ini().WriteFont("ORT\\Font", TFontInfo{});
    settings.Ini().UpdateFile();
  }
  EXPECT_EQ(ReadFile(dir.File("lectora-cli.ini")), "[Bible0]\r\nPath=KJV\r\n");
}

TEST(SettingsTest, ReadOnlySetupFolderRunsAsFromCD) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write a read-only folder";
  TempDir dir;
  const std::string setup = dir.File("cd/");
  WriteFile(setup + "lectora.ini", "[Bible0]\r\nPath=KJV\r\n");
  ASSERT_EQ(::chmod(setup.c_str(), 0555), 0);
  {
    TSettings settings(setup, "lectora", dir.File("config"));
    EXPECT_TRUE(settings.RunningFromCD());
    EXPECT_FALSE(settings.FirstRun());
    EXPECT_EQ(settings.Ini().ReadString("Bible0", "Path", ""), "KJV");
    settings.Ini().WriteFont("ORT\\Font", TFontInfo{});
    settings.Ini().WriteSection("ORT\\BookMarks", {"Gen 1:1"});
  }
  ::chmod(setup.c_str(), 0755);
  EXPECT_EQ(ReadFile(setup + "lectora.ini"), "[Bible0]\r\nPath=KJV\r\n");
}

TEST(SettingsTest, FolderWritableProbesWithoutTraces) {
  TempDir dir;
  EXPECT_TRUE(TSettings::FolderWritable(dir.Path()));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  EXPECT_FALSE(TSettings::FolderWritable(dir.File("missing")));
  // A missing setup folder cannot be written either: nothing is attempted.
  const TSettings settings(dir.File("missing"), "lectora", dir.File("config"));
  EXPECT_TRUE(settings.RunningFromCD());
  EXPECT_TRUE(settings.FirstRun());
}

}  // namespace
}  // namespace lectora
