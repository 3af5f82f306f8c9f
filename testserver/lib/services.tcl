# The server's services beyond user agents: scheduled Tcl jobs, the server's
# own files (prompt recordings) and the telephone line that the speech pages
# use to record and play prompts.
#
# Files are a set of names in the data set, not files on the simulator's
# disk: the link interpreters never reach the host's file system.  The line
# is one per link: grabbed, dialled, then playing or recording; every step
# answers the words the pages wait for ("Answer", "Done", "Timeout", ...).

namespace eval ::vs::services {
    # connection -> dict state (idle|grabbed|connected|recording|playing) file
    variable lines
}

# --- scheduled jobs ----------------------------------------------------------

# The job list is the server variable Scheduled_Action_list, a list of
# {id action schedule}; only these commands change it.
proc ::vs::services::jobs {} {
    if {[dict exists $::vs::data::vars Scheduled_Action_list]} {
        return [dict get $::vs::data::vars Scheduled_Action_list]
    }
    return {}
}

proc ::vs::services::setJobs {conn jobs} {
    dict set ::vs::data::vars Scheduled_Action_list $jobs
    ::vs::conn::setVariable $conn Scheduled_Action_list $jobs
}

# ScheduleTcl SCHEDULE ACTION: SCHEDULE is sixteen hexadecimal flag digits
# (eight two-digit fields: active days, repeat unit, interval, ...) followed
# by the start time in hexadecimal seconds.  Answers the new job's id.
::vs::cmd::command ScheduleTcl {schedule action} {
    ::vs::cmd::check {[regexp {^[0-9a-fA-F]{16}[0-9a-fA-F]+$} $schedule]} "\"$schedule\" is not a schedule"
    set highest 0
    foreach job [::vs::services::jobs] {
        if {[regexp {^job(\d+)$} [lindex $job 0] -> n] && $n > $highest} {
            set highest $n
        }
    }
    set id job[incr highest]
    ::vs::services::setJobs $conn [linsert [::vs::services::jobs] end [list $id $action $schedule]]
    list ScheduleTcl $id
}

::vs::cmd::command RemoveScheduledTcl {id} {
    set kept {}
    foreach job [::vs::services::jobs] {
        if {[lindex $job 0] ne $id} {
            lappend kept $job
        }
    }
    ::vs::cmd::check {[llength $kept] < [llength [::vs::services::jobs]]} "no scheduled job \"$id\""
    ::vs::services::setJobs $conn $kept
    return RemoveScheduledTcl
}

::vs::cmd::command NextScheduledTcl {id} {
    foreach job [::vs::services::jobs] {
        if {[lindex $job 0] eq $id} {
            scan [string range [lindex $job 2] 16 end] %llx start
            return "NextScheduledTcl [clock format $start -format {%m/%d/%Y %H:%M:%S}]"
        }
    }
    error "no scheduled job \"$id\""
}

# ValidateASR HEADER: when an automatic schedule record (24 hexadecimal
# digits of header) next changes the box, in seconds since 1970: the time
# its header holds (bytes 8 to 11, low byte first).
::vs::cmd::command ValidateASR {header} {
    ::vs::cmd::check {[regexp {^[0-9A-F]{24}$} $header]} "\"$header\" is not a schedule header"
    binary scan [binary format H* $header] x8iu time
    list ValidateASR $time
}

# --- the server's files ----------------------------------------------------

# file exists PATH, file delete PATH; nothing else of the real command.
::vs::cmd::command file {subcommand path} {
    switch -- $subcommand {
        exists {
            return [expr {$path in $::vs::data::files}]
        }
        delete {
            set ::vs::data::files [lsearch -all -inline -exact -not $::vs::data::files $path]
            return ""
        }
        default {
            error "file $subcommand is not available on this server"
        }
    }
}

# --- the telephone line ---------------------------------------------------------

proc ::vs::services::line {conn} {
    variable lines
    if {![info exists lines($conn)]} {
        set lines($conn) [dict create state idle file ""]
    }
    dict get $lines($conn) state
}

proc ::vs::services::setLine {conn state {file ""}} {
    variable lines
    set lines($conn) [dict create state $state file $file]
}

proc ::vs::services::lineFile {conn} {
    variable lines
    dict get $lines($conn) file
}

proc ::vs::services::forget {conn} {
    variable lines
    unset -nocomplain lines($conn)
}

::vs::cmd::command SCIMGrabLine {args} {
    ::vs::cmd::check {[::vs::services::line $conn] eq "idle"} "the line is already held"
    ::vs::services::setLine $conn grabbed
    return SCIMGrabLine
}

::vs::cmd::command SCIMFreeLine {} {
    ::vs::services::setLine $conn idle
    return SCIMFreeLine
}

# Dialling answers "Answer" unless the data set gives the number another
# outcome (Busy, Rna, NoRingback, Error).
::vs::cmd::command cg_dial {number args} {
    if {[::vs::services::line $conn] ne "grabbed"} {
        return {cg_dial Error}
    }
    set outcome Answer
    if {[dict exists $::vs::data::phones $number]} {
        set outcome [dict get $::vs::data::phones $number]
    }
    if {$outcome eq "Answer"} {
        ::vs::services::setLine $conn connected
    }
    list cg_dial $outcome
}

proc ::vs::services::isConnected {conn} {
    expr {[line $conn] in {connected recording playing}}
}

# Playing a file that exists answers "Done" at once (cg_playFile) or starts
# a play that cg_waitForPlay finds finished (cg_playFileEx).
::vs::cmd::command cg_playFile {path args} {
    if {![::vs::services::isConnected $conn] || $path ni $::vs::data::files} {
        return {cg_playFile Error}
    }
    return {cg_playFile Done}
}

::vs::cmd::command cg_playFileEx {path args} {
    if {![::vs::services::isConnected $conn] || $path ni $::vs::data::files} {
        return {cg_playFileEx Error}
    }
    ::vs::services::setLine $conn playing $path
    return {cg_playFileEx Done}
}

::vs::cmd::command cg_waitForPlay {args} {
    if {[::vs::services::line $conn] ne "playing"} {
        return {cg_waitForPlay Error}
    }
    ::vs::services::setLine $conn connected
    return {cg_waitForPlay Done}
}

::vs::cmd::command cg_stop {} {
    if {[::vs::services::line $conn] eq "playing"} {
        ::vs::services::setLine $conn connected
    }
    return {cg_stop Done}
}

# Recording runs until cg_stopRecord; cg_waitForRecord answers "Timeout"
# while it runs.  The recorded file exists from the moment it stops.
::vs::cmd::command cg_recordFileEx {path args} {
    if {![::vs::services::isConnected $conn]} {
        return {cg_recordFileEx Error}
    }
    ::vs::services::setLine $conn recording $path
    return {cg_recordFileEx Done}
}

::vs::cmd::command cg_waitForRecord {args} {
    if {[::vs::services::line $conn] eq "recording"} {
        return {cg_waitForRecord Timeout}
    }
    return {cg_waitForRecord Done}
}

::vs::cmd::command cg_stopRecord {} {
    if {[::vs::services::line $conn] eq "recording"} {
        lappend ::vs::data::files [::vs::services::lineFile $conn]
        ::vs::services::setLine $conn connected
    }
    return {cg_stopRecord Done}
}

# Answers the digit the caller pressed; "Hangup" when no call is up.
::vs::cmd::command cg_collectDtmf {args} {
    if {![::vs::services::isConnected $conn]} {
        return {cg_collectDtmf Hangup}
    }
    return {cg_collectDtmf #}
}
