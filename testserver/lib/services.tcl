# The server's services beyond user agents: scheduled Tcl jobs.  The prompt
# files and the telephone line of the speech pages are in telephony.tcl.

namespace eval ::vs::services {}

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
    set schedule [::vs::services::jobSchedule $id]
    ::vs::cmd::check {$schedule ne ""} "no scheduled job \"$id\""
    scan [string range $schedule 16 end] %llx start
    return "NextScheduledTcl [::vs::services::runText $start]"
}

# A start time as NextScheduledTcl writes it. Formatting a time is slow in
# Tcl and the jobs of a site share few starts: each is formatted once for
# each time zone.
proc ::vs::services::runText {start} {
    variable runTexts
    set key [list [expr {[info exists ::env(TZ)] ? $::env(TZ) : ""}] $start]
    if {![info exists runTexts] || ![dict exists $runTexts $key]} {
        dict set runTexts $key [clock format $start -format {%m/%d/%Y %H:%M:%S}]
    }
    dict get $runTexts $key
}

# The schedule of the first job with that id, or "" when there is none.
# Looked up in a table made once for each job list: a site with many jobs
# asks each one's next run when it is read.
proc ::vs::services::jobSchedule {id} {
    variable indexedJobs
    variable scheduleById
    set jobs [jobs]
    if {![info exists indexedJobs] || $indexedJobs ne $jobs} {
        set scheduleById [dict create]
        foreach job $jobs {
            if {![dict exists $scheduleById [lindex $job 0]]} {
                dict set scheduleById [lindex $job 0] [lindex $job 2]
            }
        }
    }
    # Holding the very list object, the next comparison is done at once;
    # an equal list held in another object would be compared in full at
    # every call.
    set indexedJobs $jobs
    if {[dict exists $scheduleById $id]} {
        return [dict get $scheduleById $id]
    }
    return ""
}

# ValidateASR HEADER: when an automatic schedule record (24 hexadecimal
# digits of header) next changes the box, in seconds since 1970: the time
# its header holds (bytes 8 to 11, low byte first).
::vs::cmd::command ValidateASR {header} {
    ::vs::cmd::check {[regexp {^[0-9A-F]{24}$} $header]} "\"$header\" is not a schedule header"
    binary scan [binary format H* $header] x8iu time
    list ValidateASR $time
}
