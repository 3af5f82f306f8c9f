# The telephone line and the prompt files of the speech pages: the General
# (ASR) page grabs a line, dials the administrator's telephone, plays the
# instruction prompt, records a synonym's prompt and plays it back.
#
# The line is one per link: idle, grabbed, connected (a call is up),
# recording or playing.  Line commands answer "<command> command: <RESULT>",
# the words the page waits for ("Answer", "Done", "Timeout", ...), except
# SCIMGrabLine and SCIMFreeLine, which answer their word alone.  Tests make a
# command give another result (Busy, Rna, Hangup, Error, ...) through the
# control request "telephony COMMAND ?RESULT? ?TIMES?".  A Hangup or Error
# while recording keeps what was recorded so far, as a real line does, and
# ends the call.
#
# The server's files are names in the data set (serverfile), never files of
# the host, which no link reaches.  "file exists" answers for any of them (the
# demo's server procedures check other files too, and the Language page's
# prompt files are names relative to the server's own folder) but refuses a
# path that climbs (".."); "file delete" removes only plain names
# inside the prompt folder, <sys_tcl_library_path>/asr_aa_data/prompts/, and
# refuses any other path.

namespace eval ::vs::telephony {
    # connection -> dict state (idle|grabbed|connected|recording|playing) file
    variable lines
    # command -> list of {result times}: the results the control channel
    # scripted, taken in order; times "always" stays until cleared.
    variable scripted {}
}

# --- the prompt folder -------------------------------------------------------

proc ::vs::telephony::promptFolder {} {
    if {![dict exists $::vs::data::vars sys_tcl_library_path]} {
        error "the server has no sys_tcl_library_path"
    }
    return "[dict get $::vs::data::vars sys_tcl_library_path]/asr_aa_data/prompts/"
}

# Refuses a path that is not a plain file name inside the prompt folder.
proc ::vs::telephony::checkPrompt {path} {
    set folder [promptFolder]
    set name [string range $path [string length $folder] end]
    if {[string first $folder $path] != 0 || $name eq "" || $name in {. ..}
            || [regexp {[/\\]} $name]} {
        error "\"$path\" is not in the prompt folder $folder"
    }
}

# Refuses a path that climbs out of a folder.
proc ::vs::telephony::checkPath {path} {
    set parts [split $path /\\]
    if {".." in $parts} {
        error "\"$path\" is not a path on this server"
    }
}

proc ::vs::telephony::exists {path} {
    expr {$path in $::vs::data::files}
}

::vs::cmd::command file {subcommand path} {
    switch -- $subcommand {
        exists {
            ::vs::telephony::checkPath $path
            return [::vs::telephony::exists $path]
        }
        delete {
            ::vs::telephony::checkPrompt $path
            set ::vs::data::files [lsearch -all -inline -exact -not $::vs::data::files $path]
            return ""
        }
        default {
            error "file $subcommand is not available on this server"
        }
    }
}

# --- scripted results --------------------------------------------------------

proc ::vs::telephony::script {command result times} {
    variable scripted
    if {$result eq ""} {
        dict unset scripted $command
        return
    }
    if {$times ne "always" && (![string is integer -strict $times] || $times < 1)} {
        error "times is a count or \"always\", not \"$times\""
    }
    dict lappend scripted $command [list $result $times]
}

# The result scripted for the command's next call, or "" when none is.
proc ::vs::telephony::scriptedResult {command} {
    variable scripted
    if {![dict exists $scripted $command]} {
        return ""
    }
    set queue [dict get $scripted $command]
    lassign [lindex $queue 0] result times
    if {$times ne "always"} {
        if {$times > 1} {
            lset queue 0 1 [expr {$times - 1}]
        } else {
            set queue [lrange $queue 1 end]
        }
        if {[llength $queue]} {
            dict set scripted $command $queue
        } else {
            dict unset scripted $command
        }
    }
    return $result
}

# telephony COMMAND ?RESULT? ?TIMES?: the next TIMES calls of COMMAND (1 by
# default, "always" until cleared) answer RESULT; without RESULT the
# command's scripted results are cleared.
proc ::vs::control::verb::telephony {command {result ""} {times 1}} {
    ::vs::telephony::script $command $result $times
    ::vs::control::ok
}

# --- the line ------------------------------------------------------------------

proc ::vs::telephony::line {conn} {
    variable lines
    if {![info exists lines($conn)]} {
        set lines($conn) [dict create state idle file ""]
    }
    dict get $lines($conn) state
}

proc ::vs::telephony::setLine {conn state {file ""}} {
    variable lines
    set lines($conn) [dict create state $state file $file]
}

proc ::vs::telephony::lineFile {conn} {
    variable lines
    dict get $lines($conn) file
}

# A link that ends lets its line go.
proc ::vs::telephony::forget {conn} {
    variable lines
    unset -nocomplain lines($conn)
}

proc ::vs::telephony::hasCall {conn} {
    expr {[line $conn] in {connected recording playing}}
}

proc ::vs::telephony::answer {command result} {
    return "$command command: $result"
}

# The call ends (the far end hung up, or the line failed): what was being
# recorded stays as far as it got.
proc ::vs::telephony::endCall {conn} {
    if {[line $conn] eq "recording"} {
        lappend ::vs::data::files [lineFile $conn]
    }
    setLine $conn grabbed
}

# A scripted result other than the command's own success ends the call when
# it is a Hangup or an Error.
proc ::vs::telephony::takeScripted {conn command} {
    set result [scriptedResult $command]
    if {$result in {Hangup Error}} {
        endCall $conn
    }
    return $result
}

::vs::cmd::command SCIMGrabLine {args} {
    set result [::vs::telephony::scriptedResult SCIMGrabLine]
    if {$result ne ""} {
        return [::vs::telephony::answer SCIMGrabLine $result]
    }
    ::vs::cmd::check {[::vs::telephony::line $conn] eq "idle"} "the line is already held"
    ::vs::telephony::setLine $conn grabbed
    return SCIMGrabLine
}

::vs::cmd::command SCIMFreeLine {} {
    ::vs::telephony::setLine $conn idle
    return SCIMFreeLine
}

# Dialling answers "Answer" unless a result is scripted or the data set gives
# the number another outcome (phone NUMBER Busy, ...).
::vs::cmd::command cg_dial {number args} {
    if {[::vs::telephony::line $conn] ne "grabbed"} {
        return [::vs::telephony::answer cg_dial Error]
    }
    set outcome [::vs::telephony::scriptedResult cg_dial]
    if {$outcome eq "" && [dict exists $::vs::data::phones $number]} {
        set outcome [dict get $::vs::data::phones $number]
    }
    if {$outcome eq ""} {
        set outcome Answer
    }
    if {$outcome eq "Answer"} {
        ::vs::telephony::setLine $conn connected
    }
    ::vs::telephony::answer cg_dial $outcome
}

# The instruction prompt plays to its end at once.
::vs::cmd::command cg_playFile {path args} {
    ::vs::telephony::checkPrompt $path
    set result [::vs::telephony::takeScripted $conn cg_playFile]
    if {$result eq ""} {
        set result [expr {[::vs::telephony::hasCall $conn] && [::vs::telephony::exists $path] ? "Done" : "Error"}]
    }
    ::vs::telephony::answer cg_playFile $result
}

# A play started with cg_playFileEx ends at the first cg_waitForPlay, unless
# results are scripted for that (Timeout keeps it playing).
::vs::cmd::command cg_playFileEx {path args} {
    ::vs::telephony::checkPrompt $path
    set result [::vs::telephony::takeScripted $conn cg_playFileEx]
    if {$result eq ""} {
        if {![::vs::telephony::hasCall $conn] || ![::vs::telephony::exists $path]} {
            return [::vs::telephony::answer cg_playFileEx Error]
        }
        ::vs::telephony::setLine $conn playing $path
        set result Done
    }
    ::vs::telephony::answer cg_playFileEx $result
}

::vs::cmd::command cg_waitForPlay {args} {
    if {[::vs::telephony::line $conn] ne "playing"} {
        return [::vs::telephony::answer cg_waitForPlay Error]
    }
    set result [::vs::telephony::takeScripted $conn cg_waitForPlay]
    if {$result eq ""} {
        ::vs::telephony::setLine $conn connected
        set result Done
    }
    ::vs::telephony::answer cg_waitForPlay $result
}

::vs::cmd::command cg_stop {} {
    if {[::vs::telephony::line $conn] eq "playing"} {
        ::vs::telephony::setLine $conn connected
    }
    ::vs::telephony::answer cg_stop Done
}

# Recording runs until cg_stopRecord; cg_waitForRecord answers "Timeout"
# while it runs.  The recorded file exists from the moment it stops.
::vs::cmd::command cg_recordFileEx {path args} {
    ::vs::telephony::checkPrompt $path
    set result [::vs::telephony::takeScripted $conn cg_recordFileEx]
    if {$result eq ""} {
        if {![::vs::telephony::hasCall $conn]} {
            return [::vs::telephony::answer cg_recordFileEx Error]
        }
        ::vs::telephony::setLine $conn recording $path
        set result Done
    }
    ::vs::telephony::answer cg_recordFileEx $result
}

::vs::cmd::command cg_waitForRecord {args} {
    if {[::vs::telephony::line $conn] ne "recording"} {
        return [::vs::telephony::answer cg_waitForRecord Done]
    }
    set result [::vs::telephony::takeScripted $conn cg_waitForRecord]
    if {$result eq ""} {
        set result Timeout
    } elseif {$result eq "Done"} {
        # The caller stopped talking: the recording is complete.
        ::vs::telephony::endCall $conn
        ::vs::telephony::setLine $conn connected
    }
    ::vs::telephony::answer cg_waitForRecord $result
}

::vs::cmd::command cg_stopRecord {} {
    if {[::vs::telephony::line $conn] eq "recording"} {
        lappend ::vs::data::files [::vs::telephony::lineFile $conn]
        ::vs::telephony::setLine $conn connected
    }
    ::vs::telephony::answer cg_stopRecord Done
}

# Answers the digit the caller pressed; "Hangup" when no call is up.
::vs::cmd::command cg_collectDtmf {args} {
    set result [::vs::telephony::takeScripted $conn cg_collectDtmf]
    if {$result eq ""} {
        set result [expr {[::vs::telephony::hasCall $conn] ? "#" : "Hangup"}]
    }
    ::vs::telephony::answer cg_collectDtmf $result
}
