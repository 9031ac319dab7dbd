// Every save of the program against a stand-in that fails its k-th
// operation (a step of a file replacement, a deletion, a download's write,
// a registry value's write), for every k that the save performs. Afterwards
// what the save writes holds its old content or its new one, never a part;
// no temporary file of ours is left (unless the failed operation was that
// file's deletion: such a file goes at the next write of the same file);
// and the next save, without a fault, completes.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/update_run.h"
#include "hosts/hosts_file.h"
#include "hosts/hosts_list.h"
#include "platform/file_replace.h"
#include "recording_updater_view.h"
#include "rules/main_db.h"
#include "sim_world.h"
#include "updater_cases.h"

namespace zt::test {
namespace {

const char kOldDb[] = "[ADS]\r\n1=old\r\n[WCS]\r\n1=Old caption\r\n";

// A started program whose files and registry a save may touch.
struct SaveWorld {
  SaveWorld() {
    w.Install(kOldDb);
    main.FormCreate();
    app.flags.IsAdmin = true;
    w.system.PutFile(Hosts(), "127.0.0.1 localhost\r\n");
    w.system.PutFile(app.paths.HostsListFile, "old.example\r\n");
  }
  std::string Hosts() { return HostsFilePath(app.flags.HostsDirectory, app.flags.IsNTFamily); }
  std::string Backup() { return HostsBackupPath(app.paths.ProgramDir); }
  std::string File(const std::string& path) { return w.system.ReadFile(path).value_or("<none>"); }
  // Our temporary files in every folder a save writes to.
  std::vector<std::string> Leftovers() {
    std::vector<std::string> found;
    for (const std::string& dir : {app.paths.ProgramDir, app.paths.ProgramDir + "config", app.flags.HostsDirectory}) {
      for (const DirEntry& e : w.system.ListDirectory(dir)) {
        const std::string& n = e.name;
        for (const char* suffix : {kReplaceNewSuffix, kReplaceOldSuffix})
          if (n.size() > std::string(suffix).size() && n.compare(n.size() - std::string(suffix).size(), std::string::npos, suffix) == 0)
            found.push_back(dir + "\\" + n);
      }
    }
    if (w.system.FileAttributes(app.paths.NewMainDBFile)) found.push_back(app.paths.NewMainDBFile);
    return found;
  }

  SimWorld w;
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
  AppState& app = main.state();
};

std::vector<std::string> SettingsState(SaveWorld& s) {
  Settings read;
  SetDefaults(read);
  RegIniRead(s.w.registry, read);
  return {std::to_string(read.Main_Left) + "|" + std::to_string(read.interval) + "|" + read.host_ip + "|" +
          std::to_string(read.Services_Systemwiederherstellung)};
}

std::vector<std::string> HostsAndBackup(SaveWorld& s) { return {s.File(s.Hosts()), s.File(s.Backup())}; }

struct SavePath {
  const char* name;
  std::function<void(SaveWorld&)> prepare;  // before the save, without faults
  std::function<void(SaveWorld&)> save;     // may throw
  std::function<std::vector<std::string>(SaveWorld&)> state;  // each file it writes
};

const std::vector<SavePath>& SavePaths() {
  static const std::vector<SavePath> paths = {
      {"rule database", [](SaveWorld& s) { s.app.rules.ADS.Add({"new keyword"}); },
       [](SaveWorld& s) { SaveMainDB(s.w.system, s.app.paths.MainDBFile, s.app.rules, s.app.texts()); },
       [](SaveWorld& s) { return std::vector<std::string>{s.File(s.app.paths.MainDBFile)}; }},
      {"blocked-host list", nullptr,
       [](SaveWorld& s) {
         NoHostsListView view;
         HostsListEditor editor(s.app.Hosts(), s.app.settings, view);
         editor.ListViewHosts.Add({"old.example"});
         editor.ListViewHosts.Add({"new.example"});
         editor.savehosts_dat();
       },
       [](SaveWorld& s) { return std::vector<std::string>{s.File(s.app.paths.HostsListFile)}; }},
      {"hosts file", [](SaveWorld& s) { s.w.system.PutFile(s.Backup(), s.File(s.Hosts())); },
       [](SaveWorld& s) { hosts_dat_to_winhost(s.app.Hosts(), "127.0.0.1"); },
       HostsAndBackup},
      {"hosts file and its first backup", nullptr,
       [](SaveWorld& s) { hosts_dat_to_winhost(s.app.Hosts(), "0.0.0.0"); },
       HostsAndBackup},
      {"hosts file back from its backup",
       [](SaveWorld& s) {
         s.w.system.PutFile(s.Backup(), "127.0.0.1 localhost\r\n# as it was\r\n");
         s.app.settings.hosts = false;
       },
       [](SaveWorld& s) { Exchange_host(s.app.Hosts(), s.app.settings); },
       HostsAndBackup},
      {"settings", nullptr,
       [](SaveWorld& s) {
         Settings next = s.app.settings;
         next.Main_Left = 123;
         next.interval = 2;
         next.host_ip = "0.0.0.0";
         next.Services_Systemwiederherstellung = true;
         RegIniSave(s.w.registry, next);
       },
       SettingsState},
      {"updater's new database",
       [](SaveWorld& s) {
         std::string url = std::string(kUpdateServer) + kUpdatePath;
         s.w.downloader.responses[url] = SimResponse{kSOk, Published()};
         s.w.downloader.responses[url + kSignatureSuffix] = SimResponse{kSOk, SigningFile("published.ini.minisig")};
         TrustTestKey(s.w.registry);
       },
       [](SaveWorld& s) {
         RecordingUpdaterView view;
         UpdateRun run(s.app, view);
         run.FormShow();
         run.BTUpdateClick(UpdateChoices{});
         while (run.Poll()) {
         }
       },
       // The downloaded file is a temporary (the leftover check looks for
       // it); what the run changes are the rule lists, saved at the quit.
       [](SaveWorld& s) {
         std::string rows;
         for (const ListModel* list : {&s.app.rules.ADS, &s.app.rules.URL})
           for (size_t i = 0; i < list->size(); ++i) rows += list->text(i) + "\n";
         return std::vector<std::string>{rows};
       }},
  };
  return paths;
}

// Counts the operations of a save and fails the one numbered failAt.
struct Faults {
  int done = 0;
  int failAt = 0;
  bool failedDeletion = false;
  bool Next(bool deletion) {
    if (++done != failAt) return false;
    failedDeletion = deletion;
    return true;
  }
  void Install(SaveWorld& s) {
    s.w.system.failFileStep = [this](SimFileStep step, const std::string&, const std::string&) {
      return Next(step == SimFileStep::Delete);
    };
    s.w.registry.failSet = [this](const std::string&) { return Next(false); };
  }
  static void Remove(SaveWorld& s) {
    s.w.system.failFileStep = nullptr;
    s.w.registry.failSet = nullptr;
  }
};

void Save(const SavePath& p, SaveWorld& s) {
  try {
    p.save(s);
  } catch (const std::exception&) {
    // A failed save reports; what it leaves is checked below.
  }
}

TEST(FaultInjection, EverySaveLeavesTheOldOrTheNewAndNoTemporaryFile) {
  int cases = 0;
  for (const SavePath& p : SavePaths()) {
    SCOPED_TRACE(p.name);
    std::vector<std::string> before, after;
    int operations = 0;
    {
      SaveWorld s;
      if (p.prepare) p.prepare(s);
      before = p.state(s);
      Faults count;
      count.Install(s);
      Save(p, s);
      operations = count.done;
      after = p.state(s);
      EXPECT_TRUE(s.Leftovers().empty());
    }
    ASSERT_GT(operations, 0);
    for (int k = 1; k <= operations; ++k) {
      SCOPED_TRACE("failed operation " + std::to_string(k) + " of " + std::to_string(operations));
      SaveWorld s;
      if (p.prepare) p.prepare(s);
      Faults faults;
      faults.failAt = k;
      faults.Install(s);
      Save(p, s);
      Faults::Remove(s);
      std::vector<std::string> state = p.state(s);
      for (size_t i = 0; i < state.size(); ++i)
        EXPECT_TRUE(state[i] == before[i] || state[i] == after[i]) << "file " << i << ": " << state[i];
      if (!faults.failedDeletion) {
        EXPECT_EQ(std::vector<std::string>{}, s.Leftovers());
      }
      Save(p, s);
      EXPECT_EQ(after, p.state(s));
      if (!faults.failedDeletion) {
        EXPECT_EQ(std::vector<std::string>{}, s.Leftovers());
      }
      ++cases;
    }
  }
  RecordProperty("fault_cases", cases);
  std::printf("fault injection: %d cases over %zu save paths\n", cases, SavePaths().size());
}

}  // namespace
}  // namespace zt::test
