#include "backends/gtk/launcher/GtkMessageBox.h"

#include <gtk/gtk.h>

namespace vz::gtk {

bool GtkMessageBox::AskOkCancel(const std::string& text, const std::string& caption) {
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                             GTK_BUTTONS_NONE, "%s", text.c_str());
  gtk_dialog_add_buttons(GTK_DIALOG(dialog), "确定", GTK_RESPONSE_OK, "取消", GTK_RESPONSE_CANCEL,
                         nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_role(GTK_WINDOW(dialog), "question");
  // GTK no longer draws the message type's icon by itself; the question mark belongs here.
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  GtkWidget* icon = gtk_image_new_from_icon_name("dialog-question", GTK_ICON_SIZE_DIALOG);
  gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(dialog), icon);
  gtk_widget_show(icon);
  G_GNUC_END_IGNORE_DEPRECATIONS
  const int response = gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  return response == GTK_RESPONSE_OK;
}

}  // namespace vz::gtk
