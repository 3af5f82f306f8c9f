# Descriptions of the server's system parameters, shown beside the System
# Parameters window's list. Each line sets a variable named like the
# parameter. admin reads this file (from its current folder when there is
# one there, else from the suite's data folder, share/verbanta) in a safe
# interpreter: only plain Tcl (set, string, list) works here.
set sys_tmo_menu "How long, in milliseconds, a menu waits for the caller's first key before it plays its prompt again."
set sys_multiple_language "TRUE lets callers choose the language of the prompts; FALSE plays every prompt in the default language."
set sys_application_path "The folder on the server that holds the voice applications."
set sys_default_language "The language callers hear until they choose another."
set sys_holiday_prompts "The prompt files played on holidays, in the order they are played. Double-click the value to edit the list."
set sys_maximum_box_length "The number of digits of a mailbox number."
set sys_prompt_files "The prompt files of each language, with the language's number."
set sys_language_table "The languages offered to callers, each with its prompt file and number."
set sys_startup_apps "The applications the server runs when it starts (Tools, Run IVR Alias)."
set sys_tcl_library_path "The folder on the server that holds the server's own Tcl scripts."
set sys_rings_no_answer "How many times an extension rings before the call is taken as not answered (1 to 9)."
