# What the mailbox editor's Info and Auto pages ask of the server beyond the
# reports: the priority of the link's thread, which the Info page lowers
# around its statistics queries; the server's own "clock", with which the
# Auto page writes when a schedule record next falls due; and, for demos, a
# stream of activity on the mailboxes so that their statistics move.

namespace eval ::vs::info {
    variable demoTimer ""
}

# SetThreadPriority LEVEL: the Windows levels, -15 (idle) to 15 (time
# critical). The simulator serves every link alike: the level is checked
# and answered, and the command log shows the order the levels came in.
::vs::cmd::command SetThreadPriority {level} {
    ::vs::cmd::check {[string is integer -strict $level] && $level >= -15 && $level <= 15} \
        "\"$level\" is not a thread priority"
    return SetThreadPriority
}

# The server's clock: "clock format" writes %D as month/day/two-digit year,
# as the server's Tcl always has (the Auto page cuts the date at 8
# characters), and always in the server's zone. Reading the time goes to the
# simulator's own clock; nothing reaches the host's zone files.
::vs::cmd::command clock {subcommand args} {
    switch -- $subcommand {
        format {
            set args [lassign $args seconds]
            ::vs::cmd::check {[string is entier -strict $seconds]} "expected integer but got \"$seconds\""
            ::vs::cmd::check {[llength $args] % 2 == 0} "wrong # args: should be \"clock format clockval ?-format string? ?-gmt boolean?\""
            set format {%a %b %d %H:%M:%S %Z %Y}
            set gmt 0
            foreach {option value} $args {
                switch -- $option {
                    -format { set format $value }
                    -gmt { set gmt $value }
                    default { error "bad option \"$option\": must be -format or -gmt" }
                }
            }
            ::vs::cmd::check {[string is boolean -strict $gmt]} "expected boolean value but got \"$gmt\""
            set format [string map {%% %% %D %m/%d/%y} $format]
            if {$gmt} {
                return [::clock format $seconds -format $format -gmt 1]
            }
            return [::clock format $seconds -format $format]
        }
        seconds - milliseconds - microseconds - clicks {
            ::vs::cmd::check {[llength $args] == 0} "wrong # args: should be \"clock $subcommand\""
            return [::clock $subcommand]
        }
        default {
            error "clock $subcommand is not available on this server"
        }
    }
}

# --- mailbox demo: every MS milliseconds a mailbox with statistics is called,
# and now and then gets a message, a transfer, a login or a notification, so
# an Info page shown in a demo sees its figures move. "boxdemo 0" stops it.

proc ::vs::info::bump {number name {by 1}} {
    set value 0
    if {[dict exists $::vs::data::stats $number $name]} {
        set value [dict get $::vs::data::stats $number $name]
    }
    dict set ::vs::data::stats $number $name [expr {$value + $by}]
}

proc ::vs::info::activity {number} {
    set now [::clock seconds]
    bump $number m_c_called
    dict set ::vs::data::stats $number m_l_called $now
    if {rand() < 0.4} {
        set length [expr {10 + int(rand() * 80)}]
        foreach name {m_n_msgcnt m_t_msgcnt m_t_messages} {
            bump $number $name
        }
        bump $number m_n_msglen $length
    }
    if {rand() < 0.25} {
        bump $number m_c_tre
        dict set ::vs::data::stats $number m_l_transfered $now
    }
    if {rand() < 0.2} {
        bump $number m_c_login
        bump $number m_t_login [expr {30 + int(rand() * 300)}]
        dict set ::vs::data::stats $number Last_Logon $now
    }
    if {rand() < 0.2} {
        bump $number m_c_notification
        dict set ::vs::data::stats $number m_l_notified $now
    }
}

proc ::vs::info::demoStep {ms} {
    variable demoTimer
    set boxes [dict keys $::vs::data::stats]
    if {[llength $boxes]} {
        activity [lindex $boxes [expr {int(rand() * [llength $boxes])}]]
    }
    set demoTimer [after $ms [list ::vs::info::demoStep $ms]]
}

proc ::vs::control::verb::boxdemo {ms {number ""}} {
    if {![string is integer -strict $ms] || $ms < 0} {
        error "an interval is a number of milliseconds, not \"$ms\""
    }
    # "boxdemo 0 NUMBER": one call to that box, at once.
    if {$number ne ""} {
        if {![::vs::data::uaExists $number]} {
            error "no user agent $number"
        }
        ::vs::info::activity [::vs::data::canonical $number]
        return [::vs::control::ok]
    }
    after cancel $::vs::info::demoTimer
    set ::vs::info::demoTimer ""
    if {$ms > 0} {
        if {$ms < 50} {
            error "an interval of $ms ms would flood the links; take 50 or more"
        }
        set ::vs::info::demoTimer [after $ms [list ::vs::info::demoStep $ms]]
    }
    ::vs::control::ok
}
# --- end of mailbox demo
