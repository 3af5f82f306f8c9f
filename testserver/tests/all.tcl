# Runs every .test file of the simulator's suite, each in a tclsh of its own
# and all at once (each starts its simulators on addresses of its own), and
# exits non-zero when any test failed or a file could not run, so that CTest
# sees the failure.

set here [file dirname [file normalize [info script]]]
set runs {}
foreach file [lsort [glob -directory $here *.test]] {
    lappend runs $file [open |[list [info nameofexecutable] $file {*}$argv 2>@1] r]
}
set failed 0
foreach {file chan} $runs {
    set output [read $chan]
    set status [catch {close $chan}]
    puts -nonewline $output
    if {$status || ![regexp {Total\s+\d+\s+Passed\s+\d+\s+Skipped\s+\d+\s+Failed\s+(\d+)} $output -> count]} {
        puts "[file tail $file]: did not run to its end"
        incr failed
    } elseif {$count > 0} {
        incr failed $count
    }
}
puts "all.tcl: $failed failure(s)"
exit [expr {$failed ? 1 : 0}]
