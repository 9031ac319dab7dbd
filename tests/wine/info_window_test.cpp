// The info window TINFO in-process under Wine on the stand-in system: its
// frame, the logo decoded from the program's JPEG resource into Image1 (a
// damaged logo leaves the window without it), the texts of both languages
// and the links.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "app/help_actions.h"
#include "sim_world.h"
#include "ui/info_window.h"
#include "ui/resource.h"

namespace zt::test {
namespace {

std::string Text(HWND w) {
  char text[256] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

class Info : public ::testing::Test {
 protected:
  HWND Item(int id) { return GetDlgItem(window->hwnd(), id); }
  std::string Label(int id) { return Text(Item(id)); }
  void Create(std::string logo = LogoResource()) {
    window = std::make_unique<InfoWindow>(state, nullptr, std::move(logo));
    ASSERT_TRUE(window->Create());
    window->Show();
    Pump();
  }
  // The colour of Image1's bitmap at (x, y) as 0xRRGGBB.
  uint32_t LogoPixel(int x, int y) {
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(Item(IDC_INFO_IMAGE1), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 121;
    bi.bmiHeader.biHeight = -130;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(121 * 130);
    HDC dc = GetDC(nullptr);
    int rows = GetDIBits(dc, bitmap, 0, 130, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return rows == 130 ? pixels[static_cast<size_t>(y) * 121 + x] & 0xffffff : 0xdeadbeef;
  }

  SimWorld w;
  AppState state{w.os, w.view, w.timer1, w.timerCheck};
  std::unique_ptr<InfoWindow> window;
};

bool Near(uint32_t a, uint32_t b) {
  for (int shift : {16, 8, 0})
    if (std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff)) > 12) return false;
  return true;
}

TEST_F(Info, ShowsTheLogoDecodedFromTheResourceAtTheLeft) {
  Create();
  RECT client;
  GetClientRect(window->hwnd(), &client);
  EXPECT_EQ(355, client.right);
  EXPECT_EQ(242, client.bottom);
  ASSERT_TRUE(window->hasLogo());
  RECT image;
  GetWindowRect(Item(IDC_INFO_IMAGE1), &image);
  MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&image), 2);
  EXPECT_EQ(121, image.right - image.left);
  EXPECT_EQ(130, image.bottom - image.top);
  EXPECT_LT(image.left, 20);
  // Known colours of the drawing (scripts/make_logo.sh).
  struct Sample {
    int x, y;
    uint32_t rgb;
  };
  for (const Sample& s : {Sample{2, 2, 0xffffff}, Sample{12, 60, 0x1e3c8c}, Sample{60, 26, 0xc81e1e},
                          Sample{60, 38, 0xffffff}})
    EXPECT_TRUE(Near(s.rgb, LogoPixel(s.x, s.y))) << s.x << "," << s.y << ": " << std::hex << LogoPixel(s.x, s.y);
}

TEST_F(Info, DamagedLogoLeavesTheWindowWithoutIt) {
  std::string logo = LogoResource();
  ASSERT_GT(logo.size(), 1000u);
  struct Case {
    const char* name;
    std::string bytes;
  };
  for (const Case& c : {Case{"truncated", logo.substr(0, logo.size() / 2)}, Case{"not a JPEG", std::string(500, 'x')}}) {
    SCOPED_TRACE(c.name);
    Create(c.bytes);
    EXPECT_FALSE(window->hasLogo());
    EXPECT_EQ(nullptr, reinterpret_cast<HBITMAP>(SendMessageA(Item(IDC_INFO_IMAGE1), STM_GETIMAGE, IMAGE_BITMAP, 0)));
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ("Version 1.2.0.90", Label(IDC_INFO_LABEL3));
    window.reset();
  }
}

TEST_F(Info, OnlyTheThreeMiddleLinesFollowTheLanguage) {
  struct Case {
    bool german;
    const char* label4;
    const char* label9;
    const char* label7;
  };
  for (const Case& c : {Case{false, "For updates and information", "visit our websites:", "Distribution and Updates:"},
                        Case{true, "Für Updates und weitere Informationen", "besuchen Sie unsere Webseiten:",
                             "Updates und Vertrieb:"}}) {
    SCOPED_TRACE(c.label4);
    state.flags.IsGerman = c.german;
    Create();
    EXPECT_EQ(c.label4, Label(IDC_INFO_LABEL4));
    EXPECT_EQ(c.label9, Label(IDC_INFO_LABEL9));
    EXPECT_EQ(c.label7, Label(IDC_INFO_LABEL7));
    EXPECT_EQ("Info", Text(window->hwnd()));
    EXPECT_EQ("Zapotrix", Label(IDC_INFO_LABEL1));
    EXPECT_EQ("Version 1.2.0.90", Label(IDC_INFO_LABEL3));
    EXPECT_EQ("powered by", Label(IDC_INFO_LABEL8));
    EXPECT_EQ("Ok", Label(IDC_INFO_BUTTON1));
    EXPECT_EQ("www.veltrano.de", Label(IDC_INFO_LABEL5));
    // Any other argument changes nothing.
    window->SetLanguage(2);
    EXPECT_EQ(c.label4, Label(IDC_INFO_LABEL4));
    window.reset();
  }
}

TEST_F(Info, LinksOpenTheirSitesInTheRegisteredBrowser) {
  w.registry.SetRaw(HKey::ClassesRoot, kHtmlOpenCommandKey, "", {RegType::Sz, 0, "\"C:\\browser.exe\" -nohome"});
  Create();
  for (int id : {IDC_INFO_LABEL5, IDC_INFO_LABEL6})
    SendMessageA(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  ASSERT_EQ(2u, w.shell.executed.size());
  EXPECT_EQ("C:\\browser.exe", w.shell.executed[0].file);
  EXPECT_EQ("http://www.veltrano.de", w.shell.executed[0].parameters);
  EXPECT_EQ("http://www.zapotrix-vertrieb.de", w.shell.executed[1].parameters);
  // "Ok" closes it.
  SendMessageA(Item(IDC_INFO_BUTTON1), BM_CLICK, 0, 0);
  EXPECT_TRUE(window->closed());
}

}  // namespace
}  // namespace zt::test
