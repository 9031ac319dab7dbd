// hosts_timing: times the hosts blocking against the real system under
// Wine or Windows, for the figures the native benchmarks cannot give.
//   hosts_timing DATA_DIR   (the folder with hosts-127-adaway.txt and
//                            hosts-000-unified.txt)
// Works in a temporary folder; the system hosts file is not touched.
#include "platform/win32/win.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/app_state.h"
#include "hosts/hosts_file.h"
#include "hosts/hosts_list.h"
#include "platform/sim/sim_timer.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"
#include "tests/recording_view.h"
#include "tools/file_tree.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: hosts_timing DATA_DIR\n");
    return 2;
  }
  std::string data = argv[1];
  std::string adaway = Slurp(data + "\\hosts-127-adaway.txt");
  std::istringstream unified(Slurp(data + "\\hosts-000-unified.txt"));
  std::vector<std::string> names;
  for (std::string line; std::getline(unified, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, 8, "0.0.0.0 ") == 0 && line.size() > 8 && line.find('#') == std::string::npos)
      names.push_back(line.substr(8));
  }
  if (adaway.empty() || names.empty()) {
    std::fprintf(stderr, "hosts_timing: no data in %s\n", data.c_str());
    return 1;
  }
  std::string big;
  for (size_t i = 0; i < 150000; ++i) {
    size_t round = i / names.size();
    big += "127.0.0.1 " + (round ? "m" + std::to_string(round) + "." : std::string()) + names[i % names.size()] + "\r\n";
  }

  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + "zt-hosts-timing-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\config").c_str(), nullptr);
  Put(dir + "\\adaway.txt", adaway);
  Put(dir + "\\big.txt", big);
  Put(dir + "\\hosts", "# Copyright (c) 1993-1999 Microsoft Corp.\r\n127.0.0.1 localhost\r\n");

  zt::Win32Registry registry;
  zt::Win32System system;
  zt::Win32Desktop desktop;
  zt::Win32ServiceManager services;
  zt::Win32Shell shell;
  zt::Win32Downloader downloader;
  zt::Win32Worker worker;
  zt::Platform os{registry, system, desktop, downloader, worker, services, shell};
  zt::test::RecordingView view;
  zt::SimTimer t1, t2;
  zt::AppState app(os, view, t1, t2);
  app.flags.IsAdmin = app.flags.IsNTFamily = true;
  app.flags.HostsDirectory = dir + "\\";
  app.paths.ProgramDir = dir + "\\";
  app.paths.HostsListFile = dir + "\\config\\zapotrix_hosts.dat";
  app.settings.hosts = true;
  zt::NoHostsListView quiet;

  for (int round = 0; round < 3; ++round) {
    zt::HostsListEditor small(app.Hosts(), app.settings, quiet);
    double t0 = zt::MillisecondsNow();
    small.ImportFile(dir + "\\adaway.txt");
    double t1ms = zt::MillisecondsNow();

    Put(app.paths.HostsListFile, "");
    zt::HostsListEditor ed(app.Hosts(), app.settings, quiet);
    double t2ms = zt::MillisecondsNow();
    ed.ImportFile(dir + "\\big.txt");
    double t3ms = zt::MillisecondsNow();
    ed.Bt_OKClick();  // saves the list and rewrites the hosts file
    double t4ms = zt::MillisecondsNow();
    zt::hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
    double t5ms = zt::MillisecondsNow();
    std::printf("round %d: import adaway (%zu entries) %.1f ms; import 150k (%zu entries) %.1f ms; "
                "OK = save + rewrite %.1f ms; rewrite alone %.1f ms\n",
                round + 1, small.ListViewHosts.size(), t1ms - t0, ed.ListViewHosts.size(), t3ms - t2ms,
                t4ms - t3ms, t5ms - t4ms);
  }
  for (const char* f : {"\\adaway.txt", "\\big.txt", "\\hosts", "\\hosts_org.bak", "\\config\\zapotrix_hosts.dat"})
    DeleteFileA((dir + f).c_str());
  RemoveDirectoryA((dir + "\\config").c_str());
  RemoveDirectoryA(dir.c_str());
  return 0;
}
