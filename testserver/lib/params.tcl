# The system parameters as the System Parameters window and the start-up
# dialogs use them.
#
# The parameters are the server's "sys_" variables with their "meta_"
# descriptions and "hide_list" (seeded with "var"); the window reads them
# with Tcl scripts that run in the link's interpreter as they stand, and
# writes them back with ConfigSetString and ConfigRemoveVar inside batches
# that collect the refused names.  This file adds:
#   - ConfigRemoveVar refuses a variable that "refusevar" made read-only,
#     as ConfigSetString does (config.tcl), so a test can make one line of
#     a remove batch fail.

proc ::vs::cmd::ConfigRemoveVar {conn name args} {
    if {[dict exists $::vs::config::refused $name]} {
        error [dict get $::vs::config::refused $name]
    }
    dict unset ::vs::data::vars $name
    ::vs::conn::unsetVariable $conn $name
    return ConfigRemoveVar
}
