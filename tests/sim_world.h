// The stand-in platform with a program folder laid out as installed.
#pragma once
#include "app/zapotrix_main.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_download.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_timer.h"
#include "platform/sim/sim_worker.h"
#include "recording_view.h"

namespace zt::test {

struct SimWorld {
  SimRegistry registry;
  SimSystem system;
  SimDesktop desktop;
  SimDownloader downloader;
  SimWorker worker;
  SimServiceManager services;
  SimShell shell;
  Platform os{registry, system, desktop, downloader, worker, services, shell};
  RecordingView view;
  SimTimer timer1, timerCheck;

  SimWorld() { desktop.clock = &system.clockMs; }

  std::string Dir() const { return "C:\\Program Files\\Zapotrix\\"; }
  // The four program files, the rule database with the given text.
  void Install(const std::string& mainDb = "") {
    system.PutFile(Dir() + "config\\zapotrix_mainDB.ini", mainDb);
    system.PutFile(Dir() + "config\\zapotrix_hosts.dat", "ads.example.com\r\n");
    system.PutFile(Dir() + "config\\zapotrix_mozilla.dat", "/* filter */\r\n");
    system.PutFile(Dir() + "help\\zapotrix_handbuch.pdf", "%PDF-1.4\n");
  }
};

}  // namespace zt::test
