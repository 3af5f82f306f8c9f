# What the simulator saw: every frame a client sent, in order, with its
# connection and transaction number, and the lines the uploaded procedures
# traced.  Tests read both through the control channel; notes on links
# (opened, refused, closed and why) go to standard error for whoever runs it.

namespace eval ::vs::log {
    variable commands {}
    variable traces {}
    variable quiet 0
    # Microseconds spent evaluating commands, and how many, since the log
    # was last cleared: the simulator's own share of a run's time.
    variable busyMicroseconds 0
    variable evaluated 0
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
    variable busyMicroseconds 0
    variable evaluated 0
}

proc ::vs::log::busy {microseconds} {
    variable busyMicroseconds
    variable evaluated
    incr busyMicroseconds $microseconds
    incr evaluated
}

proc ::vs::log::note {text} {
    variable quiet
    if {!$quiet} {
        catch {puts stderr "vserver: $text"}
    }
}
