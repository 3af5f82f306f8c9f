# What the simulator saw: every frame a client sent, in order, with its
# connection and transaction number, and the lines the uploaded procedures
# traced.  Tests read both through the control channel; notes on links
# (opened, refused, closed and why) go to standard error for whoever runs it.

namespace eval ::vs::log {
    variable commands {}
    variable traces {}
    variable quiet 0
}

proc ::vs::log::command {conn txn text} {
    variable commands
    lappend commands [list $conn $txn $text]
}

proc ::vs::log::trace {conn text} {
    variable traces
    lappend traces [list $conn $text]
}

proc ::vs::log::clear {} {
    variable commands {}
    variable traces {}
}

proc ::vs::log::note {text} {
    variable quiet
    if {!$quiet} {
        catch {puts stderr "vserver: $text"}
    }
}
