#include "backends/gtk/game/GtkGamePage.h"

#include <glib.h>
#include <gtk/gtk.h>
#include <malloc.h>

#include "backends/gtk/web/GtkWebHost.h"

namespace vz::gtk {

GtkGamePage::GtkGamePage(GtkWidget* layer, IGamePageEvents* events,
                         std::function<bool(unsigned)> onKeyDown)
    : layer_(layer), events_(events), onKeyDown_(std::move(onKeyDown)) {}

GtkGamePage::~GtkGamePage() { Destroy(); }

GtkWidget* GtkGamePage::Widget() const { return host_ ? host_->Widget() : nullptr; }

bool GtkGamePage::Create(const Rect& rect) {
  if (host_ || !layer_) return false;
  GtkWebHost::Options options;
  options.parent = layer_;
  options.hideScrollBars = true;
  host_ = std::make_unique<GtkWebHost>(this, nullptr, options);
  if (!host_->Widget()) {
    host_.reset();
    return false;
  }
  host_->Place(rect);
  host_->Show();
  // The game takes the keyboard as soon as its window shows.
  host_->Focus();
  return true;
}

void GtkGamePage::Navigate(const std::string& url) {
  if (!host_) return;
  if (!deciding_) {
    host_->Navigate(url);
    return;
  }
  pendingUrl_ = url;
  if (pendingSource_ == 0) pendingSource_ = g_idle_add(&GtkGamePage::NavigateLater, this);
}

int GtkGamePage::NavigateLater(void* data) {
  auto* self = static_cast<GtkGamePage*>(data);
  self->pendingSource_ = 0;
  if (self->host_) self->host_->Navigate(self->pendingUrl_);
  self->pendingUrl_.clear();
  return G_SOURCE_REMOVE;
}

void GtkGamePage::Place(const Rect& rect) {
  if (host_) host_->Place(rect);
}

void GtkGamePage::Stop() {
  if (host_) host_->Stop();
}

void GtkGamePage::Destroy() {
  if (pendingSource_ != 0) g_source_remove(pendingSource_);
  pendingSource_ = 0;
  host_.reset();
}

bool GtkGamePage::OnBeforeNavigate(const std::string& url) {
  if (!events_) return false;
  deciding_ = true;
  const bool cancel = events_->OnBeforeNavigate(url);
  deciding_ = false;
  return cancel;
}

// The host never opens a window itself; the game window leaves the request at that.
void GtkGamePage::OnNewWindow(const std::string& url) {
  if (events_) events_->OnNewWindow(url);
}

void GtkGamePage::OnDocumentComplete(const std::string& url) {
  if (events_) events_->OnDocumentComplete(url);
}

void GtkGamePage::OnTitleChange(const std::string& title) {
  if (events_) events_->OnTitleChange(title);
}

KeyRoute GtkGamePage::OnKey(const KeyEvent& key) {
  if (key.message != KeyMessage::kKeyDown || !onKeyDown_) return KeyRoute::kPage;
  return onKeyDown_(key.virtualKey) ? KeyRoute::kSwallow : KeyRoute::kPage;
}

void MallocTrimmer::TrimOwnMemory() {
  ++count_;
  malloc_trim(0);
}

}  // namespace vz::gtk
