# One client link: greeting, digest login, then command frames evaluated in
# the link's own interpreter and answered under the reply rule.
#
# The greeting is "VREADY A B ZONE" with A and B drawn afresh for every link;
# the client logs in with "LOGIN {user} DIGEST", DIGEST being the MD5 of A,
# the password and B.  A good login is confirmed with "VCONNECTED"; a bad
# one ends the link, which is how the server refuses.
#
# Reply rule: a command frame is answered in a type-1 frame carrying the same
# extra value (the client's transaction number).  The answer is the command's
# first word, a blank and the result, unless the result already starts with
# the answer word of a server command or an uploaded procedure that the
# command word begins with (GetUANoASR answers "GetUA ..."): the client
# accepts a reply word equal to as many leading characters of its command
# word, and strips it.  A "catch" script whose result is such an answer
# sends it as it stands.  An answer that is such a word alone still gets its
# blank, so it reads as an empty result whatever else the command line held.
# A Tcl error answers "<first word> !ERROR <message>", except that a server
# command's own error ("GetUA !ERROR {...}") goes as it stands, as its
# answer would.

package require md5

namespace eval ::vs::conn {
    variable nextId 0
    variable state
    # Seconds one command may run before the interpreter stops it.
    variable timeLimit 10
    variable encoding utf-8
    # The framing of the listening port, every connection's.
    variable listenerProtocol 2
}

proc ::vs::conn::accept {chan address port} {
    variable nextId
    variable state
    variable listenerProtocol
    set id [incr nextId]
    set state($id,chan) $chan
    set state($id,protocol) $listenerProtocol
    set state($id,phase) login
    set state($id,a) [randomWord]
    set state($id,b) [randomWord]
    set state($id,subscription) 0
    set state($id,txn) 0
    set state($id,interp) ""
    ::vs::framing::attach $chan
    fileevent $chan readable [list ::vs::conn::readable $id]
    ::vs::log::note "connection $id from $address:$port (protocol $state($id,protocol))"
    if {[::vs::control::takeOneShot silent]} {
        ::vs::log::note "connection $id: greeting withheld"
        return
    }
    set greeting [::vs::control::takeText nextGreeting]
    if {$greeting eq ""} {
        set greeting "VREADY $state($id,a) $state($id,b) $::vs::data::timezone"
    } else {
        # A greeting given on the control channel: the digest then covers its
        # own fields, found the way the client finds them (first, second and
        # last blank).
        set words [split $greeting " "]
        set state($id,a) [lindex $words 1]
        set state($id,b) [join [lrange $words 2 end-1] " "]
    }
    sendFrame $id 1 0 $greeting
}

proc ::vs::conn::randomWord {} {
    format %08X [expr {int(rand() * 0x100000000)}]
}

proc ::vs::conn::ids {} {
    variable state
    lsort -integer [lmap key [array names state *,chan] {lindex [split $key ,] 0}]
}

proc ::vs::conn::isOpen {id} {
    variable state
    info exists state($id,chan)
}

proc ::vs::conn::close {id reason} {
    variable state
    if {![isOpen $id]} {
        return
    }
    # Noted first: whoever sees the link end may look for the reason at once.
    ::vs::log::note "connection $id closed: $reason"
    set chan $state($id,chan)
    ::vs::framing::detach $chan
    catch {::close $chan}
    if {$state($id,interp) ne ""} {
        interp delete $state($id,interp)
    }
    ::vs::telephony::forget $id
    array unset state $id,*
}

proc ::vs::conn::dropAll {reason} {
    foreach id [ids] {
        close $id $reason
    }
}

proc ::vs::conn::readable {id} {
    variable state
    set chan $state($id,chan)
    if {[catch {::vs::framing::takeFrames $chan $state($id,protocol)} frames]} {
        close $id "bad frame: $frames"
        return
    }
    foreach frame $frames {
        handleFrame $id {*}$frame
        if {![isOpen $id]} {
            return
        }
    }
    if {[eof $chan]} {
        if {[::vs::framing::hasPartialFrame $chan]} {
            close $id "peer closed inside a frame"
        } else {
            close $id "peer closed"
        }
    }
}

proc ::vs::conn::sendFrame {id type extra text} {
    variable state
    variable encoding
    if {![isOpen $id]} {
        return
    }
    sendBytes $id [::vs::framing::encode $state($id,protocol) $type $extra [encoding convertto $encoding $text]]
}

proc ::vs::conn::sendBytes {id bytes} {
    variable state
    if {![isOpen $id]} {
        return
    }
    if {[catch {::vs::framing::write $state($id,chan) $bytes} message]} {
        close $id "send failed: $message"
    }
}

proc ::vs::conn::protocol {id} {
    variable state
    return $state($id,protocol)
}

proc ::vs::conn::decode {payload} {
    variable encoding
    encoding convertfrom $encoding [string trimright $payload \0]
}

# Before the login only a login line is taken; after it, file frames are
# received, answer frames (types 4 and 127) only logged, and any other type
# is a command.
proc ::vs::conn::handleFrame {id type extra payload} {
    variable state
    if {$state($id,phase) eq "login"} {
        set text [decode $payload]
        ::vs::log::command $id $extra $text
        login $id $text
        return
    }
    switch -- $type {
        3 { receiveFile $id $extra $payload }
        4 - 127 { ::vs::log::command $id $extra "<frame type $type>" }
        default {
            set text [decode $payload]
            ::vs::log::command $id $extra $text
            answer $id $extra $text
        }
    }
}

# A client may send a file frame (sender value, size, bytes); the server
# answers as a receiver does: type 4 with a name, or type 127 with 1 when
# the size does not match.  The simulator keeps no file.
proc ::vs::conn::receiveFile {id extra payload} {
    ::vs::log::command $id $extra "<file frame of [string length $payload] bytes>"
    if {[string length $payload] <= 8
        || ![binary scan $payload iuiu sender size]
        || $size + 8 != [string length $payload]} {
        sendBytes $id [::vs::framing::encode [protocol $id] 127 0 [binary format iu 1]]
        return
    }
    sendFrame $id 4 0 "UP_$id.tmp\0"
}

# --- login -------------------------------------------------------------------

proc ::vs::conn::login {id text} {
    variable state
    if {[::vs::control::takeOneShot refuselogin]} {
        close $id "login refused on request of the control channel"
        return
    }
    if {[catch {llength $text} count] || $count != 3 || ![string equal -nocase [lindex $text 0] LOGIN]} {
        close $id "login refused: expected LOGIN {user} digest"
        return
    }
    lassign $text -> user digest
    set account [::vs::data::account $user]
    if {$account eq ""} {
        close $id "login refused: no account \"$user\""
        return
    }
    set expected [md5::md5 -hex "$state($id,a)[dict get $account password]$state($id,b)"]
    if {![string equal -nocase $digest $expected]} {
        close $id "login refused: wrong digest for \"$user\""
        return
    }
    set state($id,user) $user
    set state($id,phase) connected
    set state($id,interp) [makeInterp $id]
    ::vs::log::note "connection $id: \"$user\" logged in"
    set confirmation [::vs::control::takeText nextConfirmation]
    sendFrame $id 1 0 [expr {$confirmation eq "" ? "VCONNECTED" : $confirmation}]
}

# A safe interpreter (no files, sockets, processes) with the server's
# commands and variables.  Commands that would wait in the event loop are
# hidden: a script must not hold the simulator's other links.
proc ::vs::conn::makeInterp {id} {
    set interp [interp create -safe]
    foreach command {vwait update after} {
        if {$command in [$interp eval {info commands}]} {
            $interp hide $command
        }
    }
    ::vs::cmd::register $interp $id
    dict for {name value} $::vs::data::vars {
        $interp eval [list set ::$name $value]
    }
    foreach script $::vs::data::scripts {
        if {[catch {$interp eval $script} message]} {
            ::vs::log::note "connection $id: data set script failed: $message"
        }
    }
    return $interp
}

proc ::vs::conn::setVariable {id name value} {
    variable state
    $state($id,interp) eval [list set ::$name $value]
}

proc ::vs::conn::unsetVariable {id name} {
    variable state
    $state($id,interp) eval [list unset -nocomplain ::$name]
}

proc ::vs::conn::subscribe {id} {
    variable state
    set state($id,subscription) $state($id,txn)
}

proc ::vs::conn::subscription {id} {
    variable state
    return $state($id,subscription)
}

proc ::vs::conn::isLoggedIn {id} {
    variable state
    expr {[isOpen $id] && $state($id,phase) eq "connected"}
}

# --- commands ------------------------------------------------------------

proc ::vs::conn::answer {id extra text} {
    set reply [evaluate $id $extra $text]
    ::vs::control::deliverReply $id $extra $reply [firstWord $text]
}

# The command's name, as the control channel's scripted answers and failures
# are keyed.
proc ::vs::conn::firstWord {text} {
    regexp {^\s*(\S*)} $text -> word
    return $word
}

# The word the reply leads with: the command line up to its first blank, as
# the client takes its command word, less trailing line ends ("GetTime\r\n"
# answers "GetTime ..."); empty for a line that begins with a blank, whose
# reply then begins with the blank, which the client also accepts.
proc ::vs::conn::replyWord {text} {
    set blank [string first " " $text]
    if {$blank < 0} {
        return [string trimright $text]
    }
    string range $text 0 [expr {$blank - 1}]
}

proc ::vs::conn::evaluate {id extra text} {
    variable state
    variable timeLimit
    set name [firstWord $text]
    set word [replyWord $text]
    set interp $state($id,interp)
    set scripted [::vs::control::scriptedAnswer $name]
    if {[llength $scripted]} {
        return [lindex $scripted 0]
    }
    set message [::vs::control::injectedFailure $name]
    if {$message ne ""} {
        return "$word !ERROR $message"
    }
    set state($id,txn) $extra
    interp limit $interp time -seconds [expr {[clock seconds] + $timeLimit}]
    set started [clock microseconds]
    set code [catch {$interp eval $text} result]
    ::vs::log::busy [expr {[clock microseconds] - $started}]
    if {![isOpen $id]} {
        return ""
    }
    if {$code > 2} {
        set result "invoked [expr {$code == 3 ? "break" : "continue"}] outside of a loop"
    }
    if {$code == 1 || $code > 2} {
        # Noted, so that whoever writes procedures for the server sees why a
        # command whose reply nobody reads (the upload) went wrong.
        ::vs::log::note "connection $id: transaction $extra failed: [string range $result 0 300]"
        # A server command's own error ("GetUA !ERROR ...", also through a
        # wrapper such as GetUANoASR) goes as it is.
        if {[isOwnAnswer $interp $word $result] && ![catch {lindex $result 1} marker] && $marker eq "!ERROR"} {
            return $result
        }
        return "$word !ERROR $result"
    }
    if {[isOwnAnswer $interp $word $result]} {
        if {[string first " " $result] < 0} {
            return "$result "
        }
        return $result
    }
    return "$word $result"
}

# True when the result leads with the answer word of a server command or a
# procedure of the link, and the command word begins with that word.  A
# script wrapped in "catch" (the mailbox sheet's unified-messaging switch,
# read unchecked) answers the caught command's own answer as it stands.
proc ::vs::conn::isOwnAnswer {interp word result} {
    set answerWord [lindex [split $result " "] 0]
    expr {[regexp {^\S+$} $answerWord] && ([string first $answerWord $word] == 0 || $word eq "catch")
        && [isOwnAnswerWord $interp $answerWord]}
}

proc ::vs::conn::isOwnAnswerWord {interp word} {
    expr {[::vs::cmd::isServerCommand $word] || $word in [$interp eval {info procs}]}
}
