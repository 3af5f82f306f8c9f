# A tiny command-line client of the voice-mail server: connects, logs in
# with the digest handshake, sends one command and prints the reply.  It is
# written on its own, apart from the simulator, so that the two meet only on
# the wire.
#
#   tclsh client.tcl ?-host ADDR? ?-port PORT? ?-user NAME? ?-password TEXT?
#                    ?-timeout MS? COMMAND...
#
# The command words are joined with blanks.  Exit status: 0 with a reply
# printed, 1 when the reply is an error reply ("!" after the answer word),
# 2 when the link or the login failed.

package require md5

proc fail {message} {
    puts stderr "client: $message"
    exit 2
}

proc readExactly {sock count} {
    set data ""
    while {[string length $data] < $count} {
        set piece [read $sock [expr {$count - [string length $data]}]]
        if {$piece eq "" && [eof $sock]} {
            error "the server closed the link"
        }
        append data $piece
    }
    return $data
}

# Odd ports carry a 12-byte header, even ports only a length.
proc readFrame {sock protocol} {
    if {$protocol == 2} {
        binary scan [readExactly $sock 12] cucusuiuiu marker type reserved length extra
        if {$marker != 0} {
            error "bad frame marker $marker"
        }
    } else {
        binary scan [readExactly $sock 4] iu length
        set type 0
        set extra 0
    }
    list $type $extra [encoding convertfrom utf-8 [readExactly $sock $length]]
}

proc sendFrame {sock protocol extra text} {
    set payload [encoding convertto utf-8 $text]
    if {$protocol == 2} {
        puts -nonewline $sock [binary format cucusuiuiu 0 1 0 [string length $payload] $extra]
    } else {
        puts -nonewline $sock [binary format iu [string length $payload]]
    }
    puts -nonewline $sock $payload
    flush $sock
}

set options [dict create -host 127.0.0.1 -port 1561 -user Cardomel -password Cardomel -timeout 10000]
while {[string match -* [lindex $argv 0]] && [llength $argv] > 1} {
    set argv [lassign $argv name value]
    if {![dict exists $options $name]} {
        fail "unknown option $name"
    }
    dict set options $name $value
}
if {![llength $argv]} {
    fail "usage: tclsh client.tcl ?-host ADDR? ?-port PORT? ?-user NAME? ?-password TEXT? COMMAND..."
}
set command [join $argv " "]
set port [dict get $options -port]
set protocol [expr {$port % 2 ? 2 : 1}]

after [dict get $options -timeout] {
    puts stderr "client: no answer in time"
    exit 2
}
if {[catch {socket [dict get $options -host] $port} sock]} {
    fail "cannot connect: $sock"
}
fconfigure $sock -translation binary

# Greeting: VREADY A B ZONE; the digest covers A, the password and B.
if {[catch {readFrame $sock $protocol} frame]} {
    fail "no greeting: $frame"
}
set greeting [lindex $frame 2]
set words [split $greeting " "]
if {![string equal -nocase [string range $greeting 0 5] VREADY] || [llength $words] < 4} {
    fail "unexpected greeting \"$greeting\""
}
set a [lindex $words 1]
set b [join [lrange $words 2 end-1] " "]
set digest [string toupper [md5::md5 -hex "$a[dict get $options -password]$b"]]
sendFrame $sock $protocol 0 "LOGIN {[dict get $options -user]} $digest"
if {[catch {readFrame $sock $protocol} frame]} {
    fail "login refused"
}
if {![string equal -nocase [string range [lindex $frame 2] 0 9] VCONNECTED]} {
    fail "login refused: [lindex $frame 2]"
}

set transaction 1
sendFrame $sock $protocol $transaction $command
while 1 {
    if {[catch {readFrame $sock $protocol} frame]} {
        fail "no reply: $frame"
    }
    lassign $frame type extra reply
    if {$protocol == 1 || $extra == $transaction} {
        break
    }
}
close $sock
puts $reply
set result [string range $reply [expr {[string first " " $reply] + 1}] end]
exit [expr {[string index $result 0] eq "!" ? 1 : 0}]
