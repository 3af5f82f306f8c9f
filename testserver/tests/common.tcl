# Helpers of the simulator's tcltest suite: start a simulator on a loopback
# address of this test process's own, steer it through its control channel,
# and speak frames to it by hand (written here apart from the simulator's own
# framing code, so that a framing fault cannot cancel out).

package require tcltest 2
namespace import ::tcltest::*
package require md5

namespace eval ::sim {
    variable root [file dirname [file dirname [file normalize [info script]]]]
    variable counter 0
    variable current ""
    # Simulator logs go to the temporary folder, never into the source tree.
    variable logDir [file join [expr {[info exists ::env(TMPDIR)] ? $::env(TMPDIR) : "/tmp"}] vserver-tests-[pid]]
    file mkdir $logDir
}

# Starts a simulator; returns a handle (a dict) and makes it the current one.
# Further arguments are options of vserver.tcl.
proc ::sim::start {{data demo.tcl} {port 1561} args} {
    variable root
    variable counter
    variable current
    if {[file pathtype $data] eq "relative"} {
        set data [file join $root data $data]
    }
    for {set attempt 0} {$attempt < 32} {incr attempt} {
        set host "127.[expr {200 + [pid] % 50}].[expr {([pid] / 50) % 256}].[expr {[incr counter] % 254 + 1}]"
        set log [file join $::sim::logDir vserver-$counter.log]
        set chan [open |[list [info nameofexecutable] [file join $root vserver.tcl] \
            -host $host -port $port -data $data {*}$args 2> $log] r+]
        fconfigure $chan -buffering line -encoding utf-8
        if {[gets $chan line] > 0 && $line eq "ready $host $port"} {
            set current [dict create chan $chan host $host port $port log $log]
            return $current
        }
        catch {close $chan}
    }
    error "no simulator would start"
}

proc ::sim::stop {{sim ""}} {
    variable current
    if {$sim eq ""} {
        set sim $current
    }
    # Closing its standard input ends the simulator; a non-blocking close
    # does not wait for that, so a simulator that hangs cannot hang the suite.
    catch {fconfigure [dict get $sim chan] -blocking 0}
    catch {close [dict get $sim chan]}
    file delete -force [dict get $sim log]
}

# Sends a control request (a list); returns the rest of its "ok" line, or the
# list of following lines for log and traces; raises on "error".
proc ::sim::control {args} {
    variable current
    set chan [dict get $current chan]
    puts $chan $args
    gets $chan answer
    if {![string match ok* $answer]} {
        error $answer
    }
    set rest [string trim [string range $answer 2 end]]
    if {[lindex $args 0] in {log traces}} {
        set lines {}
        for {set i 0} {$i < $rest} {incr i} {
            gets $chan line
            lappend lines $line
        }
        return $lines
    }
    return $rest
}

# Sends one raw request line; returns the answer line as it stands.
proc ::sim::controlLine {line} {
    variable current
    puts [dict get $current chan] $line
    gets [dict get $current chan] answer
    return $answer
}

# What the simulator wrote to standard error so far.
proc ::sim::notes {} {
    variable current
    set file [open [dict get $current log]]
    set text [read $file]
    close $file
    return $text
}

# --- raw links ---------------------------------------------------------------

proc ::sim::connect {} {
    variable current
    set sock [socket [dict get $current host] [dict get $current port]]
    fconfigure $sock -translation binary -blocking 1
    return $sock
}

proc ::sim::protocol {} {
    variable current
    expr {[dict get $current port] % 2 ? 2 : 1}
}

proc ::sim::frameBytes {type extra text} {
    set payload [encoding convertto utf-8 $text]
    if {[protocol] == 2} {
        return [binary format cucusuiuiu 0 $type 0 [string length $payload] $extra]$payload
    }
    return [binary format iu [string length $payload]]$payload
}

proc ::sim::send {sock type extra text} {
    puts -nonewline $sock [frameBytes $type $extra $text]
    flush $sock
}

# Reads exactly count bytes within the time; raises "closed" or "timeout".
# The bound only catches a hang: a loaded machine may be slow to answer.
proc ::sim::readBytes {sock count {ms 30000}} {
    set deadline [expr {[clock milliseconds] + $ms}]
    fconfigure $sock -blocking 0
    set data ""
    while {[string length $data] < $count} {
        append data [read $sock [expr {$count - [string length $data]}]]
        if {[string length $data] == $count} {
            break
        }
        if {[eof $sock]} {
            fconfigure $sock -blocking 1
            error closed
        }
        if {[clock milliseconds] > $deadline} {
            fconfigure $sock -blocking 1
            error timeout
        }
        after 5
    }
    fconfigure $sock -blocking 1
    return $data
}

# Returns {type extra text}.
proc ::sim::readFrame {sock {ms 30000}} {
    if {[protocol] == 2} {
        binary scan [readBytes $sock 12 $ms] cucusuiuiu marker type reserved length extra
    } else {
        binary scan [readBytes $sock 4 $ms] iu length
        lassign {0 0 0} marker type extra
    }
    list $type $extra [encoding convertfrom utf-8 [readBytes $sock $length $ms]]
}

# True when the peer ends the link within the time.
proc ::sim::closedBy {sock {ms 30000}} {
    set deadline [expr {[clock milliseconds] + $ms}]
    fconfigure $sock -blocking 0
    while {[clock milliseconds] < $deadline} {
        if {[catch {read $sock}] || [eof $sock]} {
            return 1
        }
        after 5
    }
    return 0
}

proc ::sim::digest {a password b} {
    md5::md5 -hex "$a$password$b"
}

# Logs in; returns the open socket or raises.
proc ::sim::login {{user Cardomel} {password Cardomel}} {
    set sock [connect]
    lassign [readFrame $sock] type extra greeting
    lassign [split $greeting " "] word a b zone
    send $sock 1 0 "LOGIN {$user} [digest $a $password $b]"
    lassign [readFrame $sock] type extra confirmation
    if {$confirmation ne "VCONNECTED"} {
        error "not confirmed: $confirmation"
    }
    return $sock
}

# Sends a command under a transaction number and returns the reply text.
proc ::sim::ask {sock text {txn 1}} {
    send $sock 1 $txn $text
    while 1 {
        lassign [readFrame $sock] type extra reply
        if {$extra == $txn || [protocol] == 1} {
            return $reply
        }
    }
}

# What the client's command channel makes of a reply to a checked command:
# the reply's word must equal as many leading characters of the command word
# (the command up to its first blank) and is stripped.
proc ::sim::channelResult {command reply} {
    set word [lindex [split $command " "] 0]
    if {[string index $command 0] eq " "} {
        set word $command
    }
    if {$reply eq $word} {
        return ""
    }
    set blank [string first " " $reply]
    if {$blank >= 0 && [string equal -length $blank $reply $word]} {
        return [string range $reply [expr {$blank + 1}] end]
    }
    return "!ERROR from server while processing '$word' command: $reply"
}

# Sends a command and returns what the client's channel would hand on.
proc ::sim::result {sock command {txn 1}} {
    channelResult $command [ask $sock $command $txn]
}

# Uploads the procedures of tests/data/procedures.tcl as the program does:
# one frame, lines ended by CR LF, its reply not awaited.
proc ::sim::uploadProcedures {sock} {
    set file [open [file join $::sim::root tests data procedures.tcl]]
    set text [string map [list \n \r\n] [read $file]]
    close $file
    send $sock 1 99 $text
    readFrame $sock
}

# The demo's company mailboxes 2000-2319 would swamp expected lists: they
# become one element "company:N" (N of them) where the first one stood.
proc ::sim::company {list} {
    set out {}
    set count 0
    foreach element $list {
        if {[string is entier -strict $element] && $element >= 2000 && $element <= 2319} {
            if {[incr count] == 1} {
                lappend out company
            }
        } else {
            lappend out $element
        }
    }
    lmap element $out {expr {$element eq "company" ? "company:$count" : $element}}
}
