# The control channel through which tests steer the simulator: one request a
# line, read from standard input or from a TCP control port, one answer a
# line ("ok ..." or "error REASON"), except that "log" and "traces" follow
# their "ok COUNT" with COUNT lines.
#
# A request is a Tcl list (so arguments with blanks are braced or quoted with
# backslash escapes).  Texts in answers are escaped so each stays on one line:
# backslash, newline, carriage return and tab are written \\ \n \r \t.
# The verbs are listed in testserver/README.md.

namespace eval ::vs::control {
    # One-shot switches: the next reply, the next login, the next link.
    variable oneShot [dict create drop 0 refuselogin 0 silent 0]
    # One-shot texts that replace the next greeting or login confirmation.
    variable nextGreeting ""
    variable nextConfirmation ""
    variable delayMs 0
    # command name -> milliseconds: the next reply to that command is held back
    variable delayFor {}
    # command names whose next frame ends its link once evaluated, unanswered
    variable dropAfter {}
    # command name -> error message, until "unfail"
    variable failures {}
    # command name -> the whole reply text to send instead, until "unanswer"
    variable answers {}
    variable onEnd {exit 0}
}

proc ::vs::control::escape {text} {
    string map [list \\ \\\\ \n \\n \r \\r \t \\t] $text
}

proc ::vs::control::takeOneShot {name} {
    variable oneShot
    set armed [dict get $oneShot $name]
    dict set oneShot $name 0
    return $armed
}

# Returns and forgets a one-shot text ("" when none was set).
proc ::vs::control::takeText {name} {
    variable $name
    set text [set $name]
    set $name ""
    return $text
}

proc ::vs::control::injectedFailure {name} {
    variable failures
    if {[dict exists $failures $name]} {
        return [dict get $failures $name]
    }
    return ""
}

# The reply text a test set for a command word, or {} when none: a list so
# that an empty reply can be set too.
proc ::vs::control::scriptedAnswer {name} {
    variable answers
    if {[dict exists $answers $name]} {
        return [list [dict get $answers $name]]
    }
    return {}
}

# Sends a command's reply, unless the control channel asked to hold it back
# or to lose it.
proc ::vs::control::deliverReply {conn extra reply {command ""}} {
    variable delayMs
    variable delayFor
    variable dropAfter
    if {![::vs::conn::isOpen $conn]} {
        return
    }
    if {[takeOneShot drop]} {
        ::vs::log::note "connection $conn: reply to transaction $extra dropped"
        return
    }
    if {$command ne "" && [dict exists $dropAfter $command]} {
        dict unset dropAfter $command
        ::vs::conn::close $conn "link dropped after $command was done, before its reply"
        return
    }
    set ms 0
    if {$command ne "" && [dict exists $delayFor $command]} {
        set ms [dict get $delayFor $command]
        dict unset delayFor $command
    } elseif {$delayMs > 0} {
        set ms $delayMs
        set delayMs 0
    }
    if {$ms > 0} {
        after $ms [list ::vs::conn::sendFrame $conn 1 $extra $reply]
        return
    }
    ::vs::conn::sendFrame $conn 1 $extra $reply
}

# --- the channel -----------------------------------------------------------

proc ::vs::control::listenOn {chan} {
    fconfigure $chan -blocking 0 -buffering line -encoding utf-8 -translation {auto lf}
    fileevent $chan readable [list ::vs::control::readable $chan]
}

proc ::vs::control::acceptControl {chan address port} {
    listenOn $chan
}

proc ::vs::control::readable {chan} {
    variable onEnd
    if {[gets $chan line] < 0} {
        if {[eof $chan]} {
            fileevent $chan readable {}
            if {$chan eq "stdin"} {
                # Whoever started us has gone; a simulator nobody steers
                # must not outlive its test.
                {*}$onEnd
            }
            catch {close $chan}
        }
        return
    }
    if {[string trim $line] eq ""} {
        return
    }
    set out [expr {$chan eq "stdin" ? "stdout" : $chan}]
    if {[catch {handle $line} answer]} {
        set answer [list "error [escape $answer]"]
    }
    foreach answerLine $answer {
        catch {puts $out $answerLine; flush $out}
    }
}

# Returns the answer as a list of lines.
proc ::vs::control::handle {line} {
    if {[catch {llength $line}]} {
        error "request is not a Tcl list"
    }
    set args [lassign $line verb]
    if {[info procs ::vs::control::verb::$verb] eq ""} {
        error "unknown request \"$verb\""
    }
    verb::$verb {*}$args
}

proc ::vs::control::ok {{text ""}} {
    list [string trimright "ok $text"]
}

namespace eval ::vs::control::verb {}

proc ::vs::control::verb::ping {} {
    ::vs::control::ok
}

proc ::vs::control::verb::load {path} {
    ::vs::data::load $path
    ::vs::control::ok
}

proc ::vs::control::verb::seed {script} {
    ::vs::data::seedScript $script
    ::vs::control::ok
}

proc ::vs::control::verb::account {name password {rights 0} {ranges ""} {fourth ""}} {
    ::vs::data::setAccount $name $password $rights $ranges $fourth
    ::vs::control::ok
}

proc ::vs::control::verb::delay {ms {command ""}} {
    if {![string is integer -strict $ms] || $ms < 0} {
        error "delay wants milliseconds, not \"$ms\""
    }
    if {$command eq ""} {
        set ::vs::control::delayMs $ms
    } else {
        dict set ::vs::control::delayFor $command $ms
    }
    ::vs::control::ok
}

proc ::vs::control::verb::drop {} {
    dict set ::vs::control::oneShot drop 1
    ::vs::control::ok
}

proc ::vs::control::verb::refuselogin {} {
    dict set ::vs::control::oneShot refuselogin 1
    ::vs::control::ok
}

proc ::vs::control::verb::silent {} {
    dict set ::vs::control::oneShot silent 1
    ::vs::control::ok
}

proc ::vs::control::verb::greeting {text} {
    set ::vs::control::nextGreeting $text
    ::vs::control::ok
}

proc ::vs::control::verb::confirmation {text} {
    set ::vs::control::nextConfirmation $text
    ::vs::control::ok
}

# Sends a frame of any type and extra (payload in hexadecimal) to every open
# link, logged in or not; for tests of how a client takes what it did not ask.
proc ::vs::control::verb::sendframe {type extra hex} {
    foreach {value what} [list $type type $extra extra] {
        if {![string is entier -strict $value] || $value < 0 || $value > ($what eq "type" ? 255 : 0xffffffff)} {
            error "bad $what \"$value\""
        }
    }
    set payload [::vs::control::fromHex $hex]
    set ids [::vs::conn::ids]
    foreach id $ids {
        ::vs::conn::sendBytes $id [::vs::framing::encode [::vs::conn::protocol $id] $type $extra $payload]
    }
    ::vs::control::ok [llength $ids]
}

# Sends bytes as they are (a broken frame, half a header) to every open link.
proc ::vs::control::verb::sendraw {hex} {
    set bytes [::vs::control::fromHex $hex]
    set ids [::vs::conn::ids]
    foreach id $ids {
        ::vs::conn::sendBytes $id $bytes
    }
    ::vs::control::ok [llength $ids]
}

proc ::vs::control::fromHex {hex} {
    if {![regexp {^([0-9a-fA-F]{2})*$} $hex]} {
        error "\"$hex\" is not hexadecimal bytes"
    }
    binary format H* $hex
}

# The next frame whose first word is COMMAND is evaluated as ever, and then
# its link ends instead of the reply going out: the server did the work and
# the client never hears of it.
proc ::vs::control::verb::dropafter {command} {
    dict set ::vs::control::dropAfter $command 1
    ::vs::control::ok
}

# Ends every client link, or only the one numbered CONNECTION.
proc ::vs::control::verb::droplink {{connection ""}} {
    set ids [::vs::control::targets $connection]
    foreach id $ids {
        ::vs::conn::close $id "link dropped on request of the control channel"
    }
    ::vs::control::ok [llength $ids]
}

# The open links a request names: all of them, or the one numbered.
proc ::vs::control::targets {connection} {
    if {$connection eq ""} {
        return [::vs::conn::ids]
    }
    if {![string is integer -strict $connection]} {
        error "a connection is a number, not \"$connection\""
    }
    if {[::vs::conn::isOpen $connection]} {
        return [list $connection]
    }
    return {}
}

proc ::vs::control::verb::fail {name {message ""}} {
    if {$message eq ""} {
        set message "simulated failure of $name"
    }
    dict set ::vs::control::failures $name $message
    ::vs::control::ok
}

# Frames whose first word is NAME are answered with TEXT as it stands (no
# word added, nothing evaluated): replies of any shape, such as a report's
# "?" question or a malformed list.
proc ::vs::control::verb::answer {name text} {
    dict set ::vs::control::answers $name $text
    ::vs::control::ok
}

proc ::vs::control::verb::unanswer {name} {
    dict unset ::vs::control::answers $name
    ::vs::control::ok
}

proc ::vs::control::verb::unfail {name} {
    dict unset ::vs::control::failures $name
    ::vs::control::ok
}

# Pushes a line to every logged-in link (or the one numbered CONNECTION),
# under the transaction number of its subscription (0 when it has none).
proc ::vs::control::verb::push {text {connection ""}} {
    set count 0
    foreach id [::vs::control::targets $connection] {
        if {[::vs::conn::isLoggedIn $id]} {
            ::vs::conn::sendFrame $id 1 [::vs::conn::subscription $id] $text
            incr count
        }
    }
    ::vs::control::ok $count
}

# Sets a port's state and pushes its trace line to every subscribed link.
proc ::vs::control::verb::portstate {port state} {
    if {![string is integer -strict $port]} {
        error "a port is a number, not \"$port\""
    }
    ::vs::control::ok [::vs::reports::pushPortState $port $state]
}

proc ::vs::control::verb::log {} {
    set lines [::vs::control::ok [llength $::vs::log::commands]]
    foreach entry $::vs::log::commands {
        lassign $entry conn txn text
        lappend lines "$conn $txn [::vs::control::escape $text]"
    }
    return $lines
}

proc ::vs::control::verb::traces {} {
    set lines [::vs::control::ok [llength $::vs::log::traces]]
    foreach entry $::vs::log::traces {
        lassign $entry conn text
        lappend lines "$conn [::vs::control::escape $text]"
    }
    return $lines
}

proc ::vs::control::verb::clearlog {} {
    ::vs::log::clear
    ::vs::control::ok
}

proc ::vs::control::verb::busytime {} {
    ::vs::control::ok "$::vs::log::busyMicroseconds $::vs::log::evaluated"
}

proc ::vs::control::verb::connections {} {
    ::vs::control::ok [llength [::vs::conn::ids]]
}

proc ::vs::control::verb::quit {} {
    after idle $::vs::control::onEnd
    ::vs::control::ok
}
