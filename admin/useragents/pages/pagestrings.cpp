// The pages' texts; see pagestrings.h.
#include "admin/useragents/pages/pagestrings.h"

#include "platform/mfc/dialog.h"
#include "platform/strings/stringtable.h"

#include <mutex>

namespace {

constexpr StringResource kStrings[] = {
    {IDS_ATTENDANT_PAGE, "Auto Attendant Options"},
    {IDS_GROUPS_PAGE, "Chains/Groups/Fax"},
    {IDS_MENUS_PAGE, "Menus"},
    {IDS_INFO_PAGE, "Info"},
    {IDS_AUTO_PAGE, "Auto"},
    {IDS_NOTIFY_PAGE, "Notify"},
    {IDS_UNIFIED_MESSAGING_PAGE, "Unified Messaging"},
    {IDS_TRANSPORT_KPL, "KPL Proprietary"},
    {IDS_TRANSPORT_IP, "IP Standard"},
    {IDS_GETNOTIFICATIONS, "GetNotifications %1 %2"},
    {IDS_NOTIFICATIONS_FAILED, "Could not retrieve notifications from Verbanta ES: %1"},
    {IDS_GETALIASLIST, "GetAliasList"},
    {IDS_PAGE_NO_COS, "No COS"},
    {IDS_COS_LIST_FAILED, "Could not get COS list from server: %1"},
    {IDS_COS_CHANGE_QUESTION, "The change to COS %1 will be immediate. Proceed?"},
    {IDS_NO_COS_CHANGE_QUESTION, "The change to COS %1 will be immediate.  Proceed?"},
    {IDS_ENABLED_NOT_LOCKABLE, "The \"Enabled\" flag can not be locked. To control user access use the \"User "
                               "mode accessible\" flag."},
    {IDS_VARIABLE_NOT_LOCKABLE, "The \"Variable\" field can not be locked. To control user access, use the "
                                "\"LockRestrictReason\" flag."},
    // The header every page shows.
    {61594, "User Agent's ID"},
    {32968, "Enter the first name of the mailbox owner."},
    {32969, "Enter the last name of the mailbox owner."},
    {32970, "Enter a descriptive comment about the mailbox."},
    // Auto attendant.
    {32892, "Number of rings before Verbanta determines that the phone will not answer."},
    {32893, ""},
    {32894, "The number of the current instructional greeting for auto attendant user agents.  Values: 1-7."},
    {32895, ""},
    {32896, "Select a system default busy greeting, or a custom greeting that can be recorded by the user."},
    {32897, "The maximum length of the custom busy greeting, in seconds."},
    {32898, "If this box is checked, Verbanta will not attempt to transfer the call to the user's telephone."},
    {32899, "If this box is checked, calls will be screened, and the user can determine whether or not to "
            "accept."},
    {32900, "If this box is checked, the name of the intended recipient of a call will be announced."},
    {32901, "If this box is checked, calls that encounter a busy telephone will be held by Verbanta."},
    {32902, "If this box is checked, outside callers hear a menu of options after  recording a message for "
            "this mailbox."},
    {32903, "The name of the PBX to which the user's telephone is connected."},
    {32904, "If this box is checked, the system says \"Please hold while I try that extension\" before "
            "transferring."},
    {61641, "If checked, system uses DOAI to find out whether the extension is busy or not (effective for "
            "kMX20 only)."},
    // Chains, groups, fax.
    {32905, "Application and parameters to be executed when the mailbox is done with the call."},
    {32906, "Application and parameters to be executed when a transfer finds the extension busy."},
    {32907, "Application and parameters to be executed when a transfer is not answered."},
    {32908, "Application and parameters to be executed when a fax tone is detected."},
    {32909, "Application and parameters to be executed when a modem carrier is detected."},
    {32910, "Number of milliseconds to wait before executing a chain."},
    {32911, "The groups this mailbox belongs to, separated by blanks."},
    {32912, "The mailbox that hosts this mailbox."},
    {32913, "The guest mailboxes of this mailbox, separated by blanks."},
    {32972, "If this box is checked, faxes sent from the desktop may be delivered to a fax machine."},
    {61635, "Message playback and future delivery will be based on the selection of timezone."},
    {32979, "If this box is checked, the mailbox offers more than one language."},
    {32977, "Whether the mailbox language is set here or by the user on the phone."},
    {32978, "The language of the mailbox's prompts."},
    // Info.
    {61622, "Enter the start date for accumulating the mailbox statistics."},
    // Schedule.
    {61604, "Shows a list of the auto-schedule records. Select one to modify the settings."},
    {61605, "If this box is checked, the auto-schedule record will be activated."},
    {61606, "If this box is checked, this mailbox will be affected by schedules from its Class of Service."},
    {61607, "Highlight the weekdays when this schedule should be active."},
    {61608, "Enter the number of time-units between scheduled repetitions."},
    {61609, "Select the time unit for scheduled repetitions."},
    {61610, "Select this option to activate the schedule on selected weekdays, regardless of the holiday "
            "table."},
    {61611, "Select this option to activate the schedule on holidays in addition to the selected weekdays."},
    {61612, "Select this option to deactivate the schedule on any holidays that fall on a selected weekday."},
    {61613, "Displays the next time when this schedule will be activated."},
    {61615, "Number of rings before Verbanta determines that the phone will not answer."},
    {61616, "If checked, DND will be turned on.  If unchecked DND will be turned off.  If grayed, DND will "
            "be unchanged."},
    {61617, "If checked, Call Screening will be turned on.  If unchecked, CS will be turned off.  If grayed, "
            "CS will be unchanged."},
    {61618, "Greeting to be used when the schedule is activated.  If blank, greeting will be unchanged."},
    {61619, "Voice menu to be used when the schedule is activated.  If blank, voice menu will be unchanged."},
    {61620, "Start date for this schedule. Repetitions will be calculated from this day."},
    {61621, "Start time for this schedule. Repetitions will be calculated from this time."},
    // Menus.
    {32947, "Specify the application and parameters to execute when a caller presses 1."},
    {32948, "Specify the application and parameters to execute when a caller presses 2."},
    {32949, "Specify the application and parameters to execute when the caller presses 3."},
    {32950, "Specify the application and parameters to execute when the caller presses 4."},
    {32951, "Specify the application and parameters to execute when the caller presses 5."},
    {32952, "Specify the application and parameters to execute when the caller presses 6."},
    {32953, "Specify the application and parameters to execute when the caller presses 7."},
    {32954, "Specify the application and parameters to execute when the caller presses 8."},
    {32955, "Specify the application and parameters to execute when the caller presses 9."},
    {32956, "Specify the application and parameters to execute when the caller presses 0."},
    // User mode options.
    {61585, "Enter the security code."},
    {61600, "Select class of service here."},
    {61614, "Mailbox extension to be used when the schedule is activated. If blank, extension will be "
            "unchanged."},
    {61634, "Volume control."},
    {61637, "Milliseconds the user may pause between two digits."},
    {32916, "If this box is checked, a message is deleted from this mailbox once it has been copied."},
    {32923, "The extension of the mailbox's telephone."},
    {32924, "If this box is checked, callers can leave messages in this mailbox."},
    {32925, "If this box is checked, the user is told of pending messages."},
    {32926, "The longest message a caller may leave, in seconds."},
    {32927, "If this box is checked, the date and time of each message is played."},
    {32928, "If this box is checked, the user is asked to record a name."},
    {32929, "If this box is checked, the menus are played slowly."},
    {32930, "How the mailbox's messages are queued: one queue, two, or one per kind."},
    {32931, "If this box is checked, messages play at the alternate rate after login."},
    {32932, "The playback volume."},
    {32933, "The order in which messages are played: first in first out, or last in first out."},
    {32934, "The number of guest mailboxes this mailbox may have (0 to 99)."},
    {32935, "The alternate playback rate (0 to 10)."},
    {32936, "If this box is checked, every new message is copied to the destination."},
    {32937, "The mailbox that new messages are copied to."},
    {32938, "The time of day from which new messages are copied."},
    {32939, "The time of day until which new messages are copied."},
    {32940, "Minutes to wait before a new message is copied."},
    {32941, "If this box is checked, every urgent message is copied to the destination."},
    {32942, "The mailbox that urgent messages are copied to."},
    {32943, "The time of day from which urgent messages are copied."},
    {32944, "The time of day until which urgent messages are copied."},
    {32945, "Minutes to wait before an urgent message is copied."},
    {32946, "The number of days after which messages are purged."},
    {32971, "If this box is checked, the tutorial plays at the user's next login."},
    // Notifications.
    {61625, "Notification list."},
    {32957, "If this box is checked, the notification is enabled for this mailbox."},
    {32958, "Select the days of the week on which this notification is active."},
    {32959, "Select how this notification uses holidays: ignore them, always run on holidays, or never run on "
            "holidays."},
    {32960, "Specify the time of day that this notification becomes active."},
    {32961, "Specify the time of day that this notification becomes inactive."},
    {32962, "Specify the number of minutes to wait before running the notification."},
    {32963, "Specify the number of minutes to wait between repetitions of this notification."},
    {32964, "Specify the number of times that this notification should repeat."},
    {32965, "If this box is checked, the telephone user mode may control this notification's enable and "
            "variable fields."},
    {32966, "Specify the name of the port group from which this notification should allocate a telephone line."},
    {32967, "Provide the value for the variable field here.  For token notifications, it will be used in place "
            "of %V."},
    {61610, "Select this option to activate the schedule on selected weekdays, regardless of the holiday table."},
    {61611, "Select this option to activate the schedule on holidays in addition to the selected weekdays."},
    {61612, "Select this option to deactivate the schedule on any holidays that fall on a selected weekday."},
    // Unified messaging.
    {32914, "Click this button to enable or disable integrated messaging for this mailbox."},
    {32915, "Enter the domain name of the SMTP server, so that messages can be sent to the user's email."},
    {32917, "Choose the type of message transport in use."},
    {32918, "Enter the domain name of the email server, so that email can be played using text to speech."},
    {32919, "Enter the user's email account name."},
    {32921, "Choose the POP3 authentication method your email server expects."},
    {32922, "Choose the kind of voice in which you wish to hear your email read to you."},
    {61642, "Enter the email username for logging into the email server (only if different from Email account)."},
    {61643, "If this box is checked, then Message Disposition Notification is enabled."},
    {61644, "Save the message to this folder."},
    {61645, "Save the message to this folder."},
    {61646, "Save the message to a personal folder."},
    {61647, "Delete the message from a personal folder."},
    {61648, "If this box is checked, then IMAP4 is selected."},
    {61649, "If this box is checked, then POP3 is selected."},
    {61650, "If this box is checked, IMAP Synch is suspended."},
    {61651, "If this box is checked, the message is deleted from KPL after it is sent to email server."},
};

// The tool-tip buffer's size, terminator included.
constexpr int kTipBuffer = 256;

} // namespace

void RegisterPageStrings()
{
    static std::once_flag registered;
    std::call_once(registered, [] { CStringTable::instance().registerStrings(kStrings); });
}

QString PageString(unsigned id)
{
    RegisterPageStrings();
    return LoadStringResource(id);
}

void SetControlTips(CDialog &dialog, std::initializer_list<std::pair<int, unsigned>> tips)
{
    RegisterPageStrings();
    for (const auto &[controlId, stringId] : tips) {
        if (QWidget *control = dialog.GetDlgItem(controlId))
            control->setToolTip(FindStringResource(stringId).value_or(QString()).left(kTipBuffer - 1));
    }
}
