// The browser host on a real WebKitWebView: window.external, silence, events, keys, looks.
#include "backends/gtk/web/GtkWebHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostFixture.h"
#include "tools/simulator/Simulator.h"

namespace vz::test {
namespace {

using namespace std::chrono_literals;

// Windows of this process on screen (ours is one; a menu, dialog or page window another).
int VisibleToplevels() {
  GList* tops = gtk_window_list_toplevels();
  int visible = 0;
  for (GList* t = tops; t; t = t->next) visible += gtk_widget_get_visible(GTK_WIDGET(t->data));
  g_list_free(tops);
  return visible;
}

constexpr const char* kExternalPage = R"HTML(<!DOCTYPE html><html><body><script>
var x = window.external;
function rep(s) { x.WD_JAPI('DialogBoxTopInfo', s); }
rep('type=' + typeof x);
rep('v=' + x.WD_JAPI('getApiVersion'));
rep('v2=' + x.wd_japi('getApiVersionOpenGame', 'u|1|s'));
rep('v3=' + x.Wd_JaPi('xx getApiVersion yy'));
rep('other=' + x.WD_JAPI('openPay', 'p1'));
rep('unknown=' + typeof x.Foo + ',' + ('WD_JAPI' in x) + ',' + ('wd_japi' in x) + ',' + ('Foo' in x));
var threw = false;
try { x.NoSuchMember('a'); } catch (e) { threw = e instanceof TypeError; }
rep('threw=' + threw);
x.WD_JAPI('OpenGame', 'g|1|s');
x.api_close();
x.API_CLOSE('ignored');
x.WD_JAPI('ShowIM');
x.WD_JAPI('a', 'b', 'ShowIM');
x.WD_JAPI();
x.WD_JAPI('DialogBoxTopInfo', 42);
x.WD_JAPI('DialogBoxTopInfo', null);
x.WD_JAPI('DialogBoxTopInfo', undefined);
x.WD_JAPI('DialogBoxTopInfo', true);
x.WD_JAPI('DialogBoxTopInfo', { toString: function () { throw new Error('no'); } });
x.WD_JAPI('DialogBoxTopInfo', 'y'.repeat(100000));
x.WD_JAPI({ toString: function () { return 'ShowIM'; } }, 'obj-name');
String.prototype.indexOf = function () { return -1; };
String.prototype.slice = function () { return 'tampered'; };
String.prototype.charCodeAt = function () { return 0; };
rep('v4=' + x.WD_JAPI('getApiVersion'));
try { window.external = 5; } catch (e) {}
try { delete window.external; } catch (e) {}
try { x.WD_JAPI = null; } catch (e) {}
rep('still=' + (window.external === x) + ',' + typeof x.WD_JAPI);
var ch = window.webkit.messageHandlers.vozudeziExternal;
[123, 'str', null, {}, [], [1, 2], ['WD_JAPI', {}], ['nope', 'OpenGame', 'x'],
 ['wd_japi', 'ShowBindBtn'], new Array(100000).fill('x'), [['WD_JAPI'], 'OpenGame']
].forEach(function (m) { try { ch.postMessage(m); } catch (e) {} });
var frame = document.createElement('iframe');
frame.srcdoc = '<script>window.external.WD_JAPI("DialogBoxTopInfo", "frame")<\/script>';
frame.onload = function () { x.WD_JAPI('closedBox'); };
document.body.appendChild(frame);
</script></body></html>)HTML";

TEST_F(HostTest, ExternalObjectAsPageScriptSeesIt) {
  MakeHost();
  host_->Navigate(Page("external.html", kExternalPage));
  ASSERT_TRUE(Pump([&] { return !target_.calls.empty() && target_.calls.back() == "ClosedBox()"; }))
      << target_.calls.size();
  const std::string longText = "DialogBoxTopInfo(" + std::string(32768, 'y') + ")";
  const std::vector<std::string> want = {
      "DialogBoxTopInfo(type=object)",
      "DialogBoxTopInfo(v=1)",
      "DialogBoxTopInfo(v2=1)",
      "DialogBoxTopInfo(v3=1)",
      "OpenPay(p1)",
      "DialogBoxTopInfo(other=undefined)",
      "DialogBoxTopInfo(unknown=undefined,true,true,false)",
      "DialogBoxTopInfo(threw=true)",
      "OpenGame(g|1|s)",
      "ApiClose()",
      "ApiClose()",
      "ShowIM()",
      "ShowIM()",
      "DialogBoxTopInfo(42)",
      "DialogBoxTopInfo()",
      "DialogBoxTopInfo()",
      "DialogBoxTopInfo(true)",
      "DialogBoxTopInfo()",
      longText,
      "ShowIM(obj-name)",
      "DialogBoxTopInfo(v4=1)",
      "DialogBoxTopInfo(still=true,function)",
      "ShowBindBtn()",
      "DialogBoxTopInfo(frame)",
      "ClosedBox()",
  };
  ASSERT_EQ(target_.calls.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(target_.calls[i].substr(0, 200), want[i].substr(0, 200)) << i;
    EXPECT_EQ(target_.calls[i].size(), want[i].size()) << i;
  }
}

TEST_F(HostTest, WithoutExternalObjectThePageHasNone) {
  MakeHost({}, /*withExternal=*/false);
  const std::string url = Page("none.html",
                               "<script>document.title = 'ext:' + (window.external && "
                               "typeof window.external.WD_JAPI);</script>");
  ASSERT_TRUE(Load(url));
  ASSERT_TRUE(Pump([&] { return events_.Count("title:ext:") > 0; }));
  EXPECT_FALSE(events_.Has("title:ext:function"));
  EXPECT_TRUE(target_.calls.empty());
}

TEST_F(HostTest, ScriptDialogsAnswerSilently) {
  MakeHost();
  const std::string next = Page("next.html", "<title>next</title>");
  host_->Navigate(Page("dialogs.html", R"HTML(<script>
    alert('a');
    var c = confirm('b');
    var p = prompt('c', 'd');
    window.external.WD_JAPI('DialogBoxTopInfo', 'dialogs=' + c + ',' + p);
    window.onbeforeunload = function (e) { e.preventDefault(); e.returnValue = 'stay'; return 'stay'; };
    </script>)HTML"));
  ASSERT_TRUE(Pump([&] { return !target_.calls.empty(); }));
  EXPECT_EQ(target_.calls[0], "DialogBoxTopInfo(dialogs=false,null)");
  // A page that asks to be kept can still be left.
  host_->Navigate(next);
  EXPECT_TRUE(Pump([&] { return events_.Has("complete:" + next); }));
  // No dialog window appeared anywhere.
  EXPECT_EQ(VisibleToplevels(), 1);
}

TEST_F(HostTest, NavigationEventsFromThePage) {
  MakeHost();
  const std::string frame = Page("frame.html", "<p>frame</p>");
  const std::string url = Page("events.html", R"HTML(<!DOCTYPE html><title>Page One</title>
    <a id="blank" target="_blank" href="http://example.invalid/linked">x</a>
    <iframe src="frame.html"></iframe>)HTML");
  ASSERT_TRUE(Load(url));
  EXPECT_TRUE(events_.Has("before:" + url));
  EXPECT_TRUE(events_.Has("before:" + frame));  // frames navigate too
  EXPECT_TRUE(Pump([&] { return events_.Has("title:Page One"); }));
  EXPECT_EQ(host_->Url(), url);
}

TEST_F(HostTest, NewWindowsAreReportedAndNeverOpened) {
  MakeHost();
  const std::string url = Page("windows.html", R"HTML(<!DOCTYPE html>
    <a id="blank" target="_blank" href="http://example.invalid/linked">x</a>
    <script>
      window.addEventListener('load', function () {
        document.getElementById('blank').click();
        var w = window.open('http://example.invalid/opened?client=1');
        window.external.WD_JAPI('DialogBoxTopInfo', 'opened=' + (w === null));
      });
    </script>)HTML");
  ASSERT_TRUE(Load(url));
  EXPECT_TRUE(Pump([&] {
    return events_.Has("newwindow:http://example.invalid/linked") &&
           events_.Has("newwindow:http://example.invalid/opened?client=1") &&
           !target_.calls.empty();
  })) << ::testing::PrintToString(events_.log);
  EXPECT_EQ(target_.calls[0], "DialogBoxTopInfo(opened=true)");
  EXPECT_EQ(events_.Count("newwindow:"), 2u);
  EXPECT_EQ(host_->Url(), url);
  EXPECT_EQ(VisibleToplevels(), 1);
}

TEST_F(HostTest, CancelledNavigationLeavesThePage) {
  MakeHost();
  const std::string url = Page("stay.html", "<title>stay</title>");
  const std::string blocked = Page("blocked.html", "<title>blocked</title>");
  ASSERT_TRUE(Load(url));
  events_.cancelContaining = "blocked";
  host_->Navigate(blocked);
  ASSERT_TRUE(Pump([&] { return events_.Has("before:" + blocked); }));
  PumpFor(300ms);
  EXPECT_FALSE(events_.Has("complete:" + blocked));
  EXPECT_FALSE(events_.Has("title:blocked"));
}

TEST_F(HostTest, ReloadIsNoNavigationButCompletesAgain) {
  MakeHost();
  const std::string url = Page("reload.html", "<title>r</title>");
  ASSERT_TRUE(Load(url));
  const std::size_t befores = events_.Count("before:");
  host_->Reload();
  ASSERT_TRUE(Pump([&] { return events_.Count("complete:" + url) == 2; }));
  EXPECT_EQ(events_.Count("before:"), befores);
}

TEST_F(HostTest, WindowCloseFromScriptIsReportedAndTheViewStays) {
  MakeHost();
  ASSERT_TRUE(Load(Page("close.html",
                        "<button id=b onclick='window.close()'>x</button>"
                        "<script>window.close();</script>")));
  EXPECT_TRUE(Pump([&] { return events_.Has("closing"); }));
  EXPECT_TRUE(host_->IsVisible());
}

TEST_F(HostTest, FailedLoadCompletesWithoutAnErrorPage) {
  MakeHost();
  sim::RefusedPort refused;
  ASSERT_GT(refused.port(), 0);
  const std::string url = "http://127.0.0.1:" + std::to_string(refused.port()) + "/";
  ASSERT_TRUE(Load(url)) << ::testing::PrintToString(events_.log);
  PumpFor(200ms);
  const char* title = webkit_web_view_get_title(host_->View());
  EXPECT_TRUE(title == nullptr || *title == '\0') << title;
}

TEST_F(HostTest, NothingIsDownloaded) {
  MakeHost();
  sim::Simulator simulator(sim::Ports::AnyFree());
  ASSERT_TRUE(simulator.Start());
  int downloads = 0;
  const gulong id =
      g_signal_connect_swapped(webkit_web_view_get_context(host_->View()), "download-started",
                               G_CALLBACK(+[](int* n) { ++*n; }), &downloads);
  const std::string page = Page("page.html", "<title>page</title>");
  ASSERT_TRUE(Load(page));
  const std::string binary = simulator.BaseUrl(sim::Site::Game) + "/__test/bytes/64";
  host_->Navigate(binary);
  ASSERT_TRUE(Pump([&] { return events_.Has("before:" + binary); }));
  PumpFor(800ms);
  g_signal_handler_disconnect(webkit_web_view_get_context(host_->View()), id);
  EXPECT_EQ(downloads, 0);
  EXPECT_FALSE(events_.Has("complete:" + binary));
}

constexpr const char* kKeyPage = R"HTML(<!DOCTYPE html><body><input id=i autofocus><script>
  document.addEventListener('keydown', function (e) {
    window.external.WD_JAPI('DialogBoxTopInfo', 'key=' + e.keyCode);
  });
  document.getElementById('i').focus();
</script></body>)HTML";

TEST_F(HostTest, KeysPassTheWindowsRulesFirst) {
  MakeHost();
  events_.keyRoute = [](const KeyEvent& k) {
    return k.virtualKey == kVkEscape ? KeyRoute::kSwallow : KeyRoute::kPage;
  };
  ASSERT_TRUE(Load(Page("keys.html", kKeyPage)));
  gtk_widget_grab_focus(host_->Widget());
  SendKey(GDK_KEY_Escape);
  SendKey(GDK_KEY_a);
  SendKey(GDK_KEY_F4, GDK_MOD1_MASK);
  SendKey(GDK_KEY_BackSpace);
  ASSERT_TRUE(Pump([&] { return target_.calls.size() >= 3; })) << target_.calls.size();
  PumpFor(200ms);
  EXPECT_EQ(target_.calls,
            (std::vector<std::string>{"DialogBoxTopInfo(key=65)", "DialogBoxTopInfo(key=115)",
                                      "DialogBoxTopInfo(key=8)"}));
  EXPECT_TRUE(events_.Has("key:down:27"));
  EXPECT_TRUE(events_.Has("key:up:27"));
  EXPECT_TRUE(events_.Has("key:down:65"));
  EXPECT_TRUE(events_.Has("key:down:sys:115"));
  EXPECT_TRUE(events_.Has("key:down:8"));
}

TEST_F(HostTest, HostMayBeDestroyedInsideItsKeyHandler) {
  MakeHost();
  ASSERT_TRUE(Load(Page("keys.html", kKeyPage)));
  gtk_widget_grab_focus(host_->Widget());
  events_.onKey = [this] { host_.reset(); };
  events_.keyRoute = [](const KeyEvent&) { return KeyRoute::kSwallow; };
  SendKey(GDK_KEY_F4, GDK_MOD1_MASK);
  EXPECT_EQ(host_, nullptr);
  const std::size_t logged = events_.log.size();
  PumpFor(300ms);
  EXPECT_EQ(events_.log.size(), logged);
}

TEST_F(HostTest, NoEventsAfterTheParentWindowWentFirst) {
  MakeHost();
  host_->Navigate(Page("slow.html",
                       "<title>t</title><script>setTimeout(function () {"
                       " window.external.WD_JAPI('ShowIM', 'late'); }, 200);"
                       "</script>"));
  gtk_widget_destroy(window_);
  window_ = nullptr;
  const std::size_t logged = events_.log.size();
  PumpFor(500ms);
  EXPECT_EQ(events_.log.size(), logged);
  EXPECT_TRUE(target_.calls.empty());
  host_->Navigate("about:blank");  // harmless on a view that has gone
  host_->Show();
  EXPECT_FALSE(host_->IsVisible());
  host_.reset();
}

TEST_F(HostTest, PlacedInParentCoordinatesFromScreenCoordinates) {
  GtkWebHost::Options options;
  options.parentOrigin = [] { return Point{1000, 500}; };
  MakeHost(options);
  host_->Place({1000 + 24, 500 + 30, 1000 + 24 + 300, 500 + 30 + 200});
  host_->Hide();
  EXPECT_FALSE(host_->IsVisible());
  host_->Show();
  EXPECT_TRUE(host_->IsVisible());
  ASSERT_TRUE(Pump([&] {
    GtkAllocation a;
    gtk_widget_get_allocation(host_->Widget(), &a);
    return a.x == 24 && a.y == 30 && a.width == 300 && a.height == 200;
  }));
}

// A tall page: the right edge shows the page's colour, not a scroll bar; without the
// option the scroll bar is there (so the check can tell).
TEST_F(HostTest, TopDocumentHasNoScrollBars) {
  const std::string url = Page(
      "tall.html", "<body style='margin:0;background:#123456;height:5000px;width:3000px'></body>");
  for (bool hide : {false, true}) {
    events_.log.clear();
    GtkWebHost::Options options;
    options.hideScrollBars = hide;
    MakeHost(options);
    ASSERT_TRUE(Load(url));
    // Scroll once so that overlay scroll bars, if any, are drawn.
    webkit_web_view_evaluate_javascript(host_->View(), "window.scrollBy(0, 10)", -1, nullptr,
                                        nullptr, nullptr, nullptr, nullptr);
    PumpFor(400ms);
    int pageColoured = 0;
    for (int y = 20; y < 380; y += 30) pageColoured += PixelAt(636, y) == 0x123456 ? 1 : 0;
    for (int x = 20; x < 620; x += 50) pageColoured += PixelAt(x, 396) == 0x123456 ? 1 : 0;
    if (hide) {
      EXPECT_EQ(pageColoured, 12 + 12);
    } else {
      EXPECT_LT(pageColoured, 12 + 12) << "no scroll bar to hide: the check cannot tell";
    }
    host_.reset();
  }
}

TEST_F(HostTest, NoContextMenu) {
  MakeHost();
  ASSERT_TRUE(Load(Page("menu.html", "<body style='height:300px'>text</body>")));
  PumpFor(200ms);
  GdkWindow* target = gtk_widget_get_window(host_->Widget());
  for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
    GdkEvent* ev = gdk_event_new(type);
    ev->button.window = GDK_WINDOW(g_object_ref(target));
    ev->button.send_event = TRUE;
    ev->button.button = 3;
    ev->button.x = 50;
    ev->button.y = 50;
    ev->button.time = GDK_CURRENT_TIME;
    gdk_event_set_device(
        ev, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_main_do_event(ev);
    gdk_event_free(ev);
  }
  PumpFor(500ms);
  EXPECT_EQ(VisibleToplevels(), 1);
}

}  // namespace
}  // namespace vz::test
