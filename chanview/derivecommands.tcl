# Derives Chanview's uploaded procedures from admin's: the eleven user-agent
# procedures, reading with the server's ASR handling left as it is, since the
# monitor has no ASR helper of its own. One source keeps the two programs'
# procedures from drifting apart on a server both log in to.
#   tclsh derivecommands.tcl ADMIN_TEXT OUTPUT

set header {# The procedures Chanview uploads into the server's interpreter after its
# login: the user-agent queries admin uploads too, so a server shared by both
# programs sees the same procedures, but reading with the server's ASR
# handling left as it is, since the monitor has no ASR helper of its own.
# Derived at build time from admin's text (admin/res/TclCommands.tcl).
#
# The server receives this text with CR LF line ends, so no line may end in a
# backslash continuation.
}
set procedures {AllUA MultipleUA GetCosAgents ParmsForUAType ParmsForAnyUA CheckExistUA
    MinCreateUA MinCopyUA GetNotifications GetEventMaps4UA GetRemoteUsersList}
# Admin's ASR-free reads, as the monitor makes them.
set withoutAsr [list " NOASR\]" "\]" "GetUANoASR " "GetUA "]

lassign $argv input output
set channel [open $input r]
set text [read $channel]
close $channel

# Walk the text a whole command at a time; a wanted procedure is kept as it
# is written, comments and the other procedures are left behind.
set kept [dict create]
set command ""
foreach line [split $text \n] {
    append command $line \n
    if {![info complete $command]} {
        continue
    }
    if {[regexp {^proc (\S+) } $command -> name] && $name in $procedures} {
        dict set kept $name [string map $withoutAsr [string trimright $command \n]]
    }
    set command ""
}

set bodies {}
foreach name $procedures {
    if {![dict exists $kept $name]} {
        puts stderr "derivecommands: $input defines no procedure $name"
        exit 1
    }
    lappend bodies [dict get $kept $name]
}
set channel [open $output.tmp w]
puts -nonewline $channel "$header\n[join $bodies \n\n]\n"
close $channel
file rename -force $output.tmp $output
