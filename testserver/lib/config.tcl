# The server's configuration as the configuration window reads and writes it.
#
# The window reads the configuration in a few Tcl batch scripts that run in
# the link's interpreter as they stand (they read the server variables with
# "set" and catch the missing ones), writes it back with ConfigSetString and
# ConfigRemoveVar inside a batch that collects the refused names, and asks
# for the machine's serial ports with get_serial_ports.  This file adds:
#   - the control request "configuration": a realistic configuration (96
#     voice ports, twenty integration groups of 33 variables, answer methods,
#     port groups, serial ports, IVR hosts, holidays, fifty scheduled jobs,
#     languages and prompt files) replaces the data set's;
#   - the control requests "refusevar NAME ?REASON?" and "acceptvar NAME":
#     ConfigSetString refuses to set that variable until accepted again.

namespace eval ::vs::config {
    # variable name -> reason; ConfigSetString refuses these
    variable refused {}
    # The 33 variables of an integration group, each named GROUP_NAME.
    variable groupVariables {
        pbx_switch_type pbx_integration_type pbx_dti_protocol pbx_support_transfer
        pbx_integration_timeout pbx_integration_patterns pbx_smdi_integration_patterns
        pbx_smdi_port pbx_smdi_length pbx_dl_dtwait pbx_dl_ndtret pbx_dl_rnaret
        pbx_dl_bsyret pbx_dl_hupret pbx_dl_connect pbx_nodialtone pbx_tmo_dtwait
        pbx_flash_delay pbx_answer_digit pbx_disconnect_digit pbx_dl_suffix
        pbx_dl_prefix pbx_dl_init pbx_dl_stop pbx_dl_pickup pbx_glitch pbx_spike
        pbx_dl_lampon pbx_dl_lampoff pbx_dl_trunk_prefix pbx_flashtm pbx_ip_address
        pbx_snmp_community
    }
}

# Sets a server variable for this session and for every later one, unless a
# test asked the server to refuse it.
proc ::vs::cmd::ConfigSetString {conn name value args} {
    if {[dict exists $::vs::config::refused $name]} {
        error [dict get $::vs::config::refused $name]
    }
    dict set ::vs::data::vars $name $value
    ::vs::conn::setVariable $conn $name $value
    return ConfigSetString
}

# The values of one integration group, in the order of groupVariables.
proc ::vs::config::groupValues {index} {
    set smdi [expr {$index % 4 == 1}]
    set patterns {}
    for {set i 1} {$i <= 24} {incr i} {
        lappend patterns [expr {$i <= 6 ? "P$i*${index}#" : ""}]
    }
    list [lindex {{Talvo VLM} {Meridian 1} {Definity G3} Generic} [expr {$index % 4}]] \
        [expr {$smdi ? 1 : 0}] [expr {$index % 3 == 0 ? "T1 {E&M Wink Start}" : "None"}] \
        [expr {$index % 2}] 3000 $patterns [expr {$smdi ? $patterns : {}}] \
        [expr {$smdi ? [list COM[expr {$index % 4 + 1}] 9600 8 NOPARITY ONESTOPBIT] : {}}] 4 \
        3000 ,, 6 6 0 {} 0 1500 500 {} {} # {} {} {} ,, 40 50 {} {} 9 600 \
        10.0.0.[expr {100 + $index}] public
}

# The configuration a site of some size has.
proc ::vs::config::realistic {} {
    set vars {}
    set methods {Day Night Weekend Sales Support Fax}
    for {set n 1} {$n <= 96} {incr n} {
        if {$n % 13 == 0} {
            # ports not wired to an extension
            dict set vars Line$n {{} {}}
        } elseif {$n % 17 == 0} {
            dict set vars Line$n [list [expr {2000 + $n}] [lindex $methods [expr {$n % 6}]] 3 4]
        } else {
            dict set vars Line$n [list [expr {2000 + $n}] [lindex $methods [expr {$n % 6}]]]
        }
    }
    # Past the 96 the window shows: a gap, then stray lines.
    dict set vars Line98 {2098 Day}
    dict set vars Line100 {2100 Day}
    set groups {}
    for {set g 1} {$g <= 20} {incr g} {
        set group [format PBX%02d $g]
        lappend groups $group
        foreach name $::vs::config::groupVariables value [groupValues $g] {
            dict set vars ${group}_$name $value
        }
    }
    # One group lacks its glitch setting.
    dict unset vars PBX07_pbx_glitch
    dict set vars pbx_list $groups
    dict set vars answer_method_list [list {Day {997 4 PBX01}} {Night {997 2 PBX01}} \
        {Weekend {2000 2 PBX02}} {Sales {2000 4 PBX03}} {Support {2100 3 PBX04}} {Fax {2100 1 PBX05}}]
    dict set vars jobq {{Pager {1 2 3 4} 2} {Outdial {90 91 92 93 94 95 96} 4}}
    dict set vars statistical_groups {{Reception {1 2 3 4 5 6 7 8}} {Sales {9 10 11 12}} {Support {13 14 15 16}}}
    dict set vars serialports {{COM3 Printer 9600 8 NOPARITY ONESTOPBIT} {COM4 Modem 19200 8 NOPARITY ONESTOPBIT 5551234}}
    dict set vars ivr_hostte_emulator {{mainframe {host.ses} ivr secret} {billing {billing.ses} {} {}}}
    dict set vars holidays {12/24/2026 12/31/2026 1/1 5/1 7/4 12/25 12/26}
    set jobs {}
    set start [clock scan 2027-01-04T08:00:00 -format %Y-%m-%dT%H:%M:%S -timezone :UTC]
    for {set j 1} {$j <= 50} {incr j} {
        lappend jobs [list job$j "RunReport daily_$j" \
            [format 0101010101010101%llx [expr {$start + 3600 * $j}]]]
    }
    dict set vars Scheduled_Action_list $jobs
    dict set vars sys_prompt_files {{english.pmt 0} {german.pmt 3} {french.pmt 1}}
    dict set vars sys_language_table {{English {english.pmt 0}} {French {french.pmt 1}} \
        {Spanish {spanish.pmt 2}} {German {german.pmt 3} {german2.pmt 3}}}
    dict set vars sys_multiple_language 1
    return $vars
}

proc ::vs::control::verb::configuration {} {
    foreach name [dict keys $::vs::data::vars] {
        if {[regexp {^(Line\d+|PBX\d\d_.*|.*_pbx_.*)$} $name]} {
            dict unset ::vs::data::vars $name
        }
    }
    set ::vs::data::vars [dict merge $::vs::data::vars [::vs::config::realistic]]
    # The machine of a site of that size has four serial ports; the last
    # script the links run wins.
    lappend ::vs::data::scripts {
        proc get_serial_ports {} {
            return {get_serial_ports COM1 COM2 COM3 COM4}
        }
    }
    ::vs::control::ok
}

proc ::vs::control::verb::refusevar {name {reason ""}} {
    if {$reason eq ""} {
        set reason "variable $name is read-only"
    }
    dict set ::vs::config::refused $name $reason
    ::vs::control::ok
}

proc ::vs::control::verb::acceptvar {name} {
    dict unset ::vs::config::refused $name
    ::vs::control::ok
}
