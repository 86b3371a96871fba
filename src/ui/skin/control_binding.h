#pragma once
// Controls report to their dialog as the dialogs were designed: a command (control id and
// notification) sent to the owning dialog, and private messages posted to it.
#include "ui/skin/window_message.h"

class QWidget;

namespace talon {

class MessageDialog;

void SetControlId(QWidget& control, int id);
// The id given by SetControlId or BindControl; 0 when none.
int ControlIdOf(const QWidget& control);

// The nearest dialog that holds the control; null when none.
MessageDialog* OwnerDialogOf(const QWidget& control);

// Gives the control its id and turns its Qt signals into commands to the owning dialog:
// buttons (QAbstractButton) report kClicked; combo boxes kSelChange when the user picks an entry
// and kEditChange when the text of their edit field is typed; line edits kTextChange.
void BindControl(QWidget& control, int id);

// Sends the owning dialog the command (the control's id, code); nothing when there is no owner.
void SendCommandToOwner(const QWidget& control, Notification code);
// Posts a message to the owning dialog; nothing when there is no owner.
void PostToOwner(const QWidget& control, MessageId message, WParam w, LParam l);

}  // namespace talon
