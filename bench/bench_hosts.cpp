// Benchmarks of the hosts blocking: the import of real hosts lists and of a
// 150,000-line file, the save of the list, and the hosts file rewrite with
// 150,000 entries. The real lists are read from the folder in ZT_DATA_DIR
// (bench/support/bench_data.h).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/app_state.h"
#include "bench/support/bench_data.h"
#include "hosts/hosts_file.h"
#include "hosts/hosts_list.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_download.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_timer.h"
#include "platform/sim/sim_worker.h"
#include "tests/recording_view.h"

namespace zt {
namespace {

std::string DataFile(const char* name) { return bench::ReadDataFile(name); }

// 150,000 lines "127.0.0.1 host" CR LF: the unified list's host names in
// 127.0.0.1 form, repeated under numbered subdomains until there are enough.
std::string Import150k() {
  std::istringstream in(DataFile("hosts-000-unified.txt"));
  std::vector<std::string> names;
  std::string line;
  while (std::getline(in, line))
    if (line.compare(0, 8, "0.0.0.0 ") == 0 && line.size() > 8 && line.find('#') == std::string::npos)
      names.push_back(line.substr(8));
  std::string out;
  if (names.empty()) return out;
  for (size_t i = 0; i < 150000; ++i) {
    size_t round = i / names.size();
    out += "127.0.0.1 ";
    if (round > 0) out += "m" + std::to_string(round) + ".";
    out += names[i % names.size()];
    out += "\r\n";
  }
  return out;
}

// A program folder in the stand-in with its list and a system hosts file.
struct World {
  SimRegistry registry;
  SimSystem system;
  SimDesktop desktop;
  SimServiceManager services;
  SimShell shell;
  SimDownloader downloader;
  SimWorker worker;
  Platform os{registry, system, desktop, downloader, worker, services, shell};
  test::RecordingView view;
  SimTimer t1, t2;
  AppState app{os, view, t1, t2};
  NoHostsListView quiet;

  World() {
    app.flags.IsAdmin = true;
    app.flags.IsNTFamily = true;
    app.flags.HostsDirectory = "C:\\WINDOWS\\system32\\drivers\\etc\\";
    app.paths.ProgramDir = "C:\\Zapotrix\\";
    app.paths.HostsListFile = "C:\\Zapotrix\\config\\zapotrix_hosts.dat";
    system.PutFile(app.paths.HostsListFile, "");
    system.PutFile(HostsFilePath(app.flags.HostsDirectory, app.flags.IsNTFamily), "# Copyright (c) 1993-1999 Microsoft Corp.\r\n127.0.0.1 localhost\r\n");
  }
};

void Import(benchmark::State& state, const std::string& text) {
  if (text.empty()) {
    state.SkipWithError(bench::NoData().c_str());
    return;
  }
  World w;
  w.system.PutFile("C:\\in.txt", text);
  size_t entries = 0;
  for (auto _ : state) {
    HostsListEditor ed(w.app.Hosts(), w.app.settings, w.quiet);
    ed.ImportFile("C:\\in.txt");
    entries = ed.ListViewHosts.size();
  }
  state.counters["entries"] = static_cast<double>(entries);
}

void BM_ImportAdaway(benchmark::State& state) { Import(state, DataFile("hosts-127-adaway.txt")); }
BENCHMARK(BM_ImportAdaway)->Unit(benchmark::kMillisecond);

void BM_Import150k(benchmark::State& state) { Import(state, Import150k()); }
BENCHMARK(BM_Import150k)->Unit(benchmark::kMillisecond);

// The hosts file rewrite from a list of 150,000 entries (backup present).
void BM_Rewrite150k(benchmark::State& state) {
  World w;
  std::string list;
  for (int i = 0; i < 150000; ++i) list += "host" + std::to_string(i) + ".ads.example.com\r\n";
  w.system.PutFile(w.app.paths.HostsListFile, list);
  hosts_dat_to_winhost(w.app.Hosts(), w.app.settings.host_ip);
  for (auto _ : state) hosts_dat_to_winhost(w.app.Hosts(), w.app.settings.host_ip);
}
BENCHMARK(BM_Rewrite150k)->Unit(benchmark::kMillisecond);

// What one user action costs: import 150,000 lines in the editor, OK (save
// the list, rewrite the hosts file).
void BM_ImportSaveRewrite150k(benchmark::State& state) {
  std::string text = Import150k();
  if (text.empty()) {
    state.SkipWithError(bench::NoData().c_str());
    return;
  }
  World w;
  w.app.settings.hosts = true;
  w.system.PutFile("C:\\in.txt", text);
  for (auto _ : state) {
    w.system.PutFile(w.app.paths.HostsListFile, "");
    HostsListEditor ed(w.app.Hosts(), w.app.settings, w.quiet);
    ed.refresh_hostlist();
    ed.ImportFile("C:\\in.txt");
    ed.Bt_OKClick();
  }
}
BENCHMARK(BM_ImportSaveRewrite150k)->Unit(benchmark::kMillisecond);

// The editor's list file: the unified list as one name a line, and the
// 150,000 names of Import150k.
std::string UnifiedListFile() {
  std::istringstream in(DataFile("hosts-000-unified.txt"));
  std::string out, line;
  while (std::getline(in, line))
    if (line.compare(0, 8, "0.0.0.0 ") == 0 && line.find('#') == std::string::npos && line != "0.0.0.0 0.0.0.0")
      out += line.substr(8) + "\r\n";
  return out;
}

std::string ListFile150k() {
  std::istringstream in(Import150k());
  std::string out, line;
  while (std::getline(in, line)) out += line.substr(10) + "\n";  // "127.0.0.1 " off, the CR stays
  return out;
}

// What the editor's Timer1 does: load the list file, sorted.
void EditorLoad(benchmark::State& state, const std::string& list) {
  if (list.empty()) {
    state.SkipWithError(bench::NoData().c_str());
    return;
  }
  World w;
  w.system.PutFile(w.app.paths.HostsListFile, list);
  size_t entries = 0;
  for (auto _ : state) {
    HostsListEditor ed(w.app.Hosts(), w.app.settings, w.quiet);
    ed.refresh_hostlist();
    entries = ed.ListViewHosts.size();
  }
  state.counters["entries"] = static_cast<double>(entries);
}
void BM_EditorLoadUnified(benchmark::State& state) { EditorLoad(state, UnifiedListFile()); }
BENCHMARK(BM_EditorLoadUnified)->Unit(benchmark::kMillisecond);
void BM_EditorLoad150k(benchmark::State& state) { EditorLoad(state, ListFile150k()); }
BENCHMARK(BM_EditorLoad150k)->Unit(benchmark::kMillisecond);

// A click on the column header (the other direction) and an add (and the
// removal of what it added) in a list of 150,000 names.
void BM_EditorSortAndAdd150k(benchmark::State& state) {
  std::string list = ListFile150k();
  if (list.empty()) {
    state.SkipWithError(bench::NoData().c_str());
    return;
  }
  World w;
  w.system.PutFile(w.app.paths.HostsListFile, list);
  HostsListEditor ed(w.app.Hosts(), w.app.settings, w.quiet);
  ed.refresh_hostlist();
  bool sort = state.range(0) == 0;
  for (auto _ : state) {
    if (sort) {
      ed.ColumnClick();
    } else {
      ed.AddHost("new-entry.example.org");
      ed.ListViewHosts.selected = ed.FindRow("new-entry.example.org", 0);
      ed.DeleteSelected();
    }
  }
  state.SetLabel(sort ? "sort" : "add + remove");
}
BENCHMARK(BM_EditorSortAndAdd150k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zt
