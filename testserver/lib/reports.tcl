# Voice ports and the statistics the report windows and the port monitors
# read: the trace lines pushed for port states, the snapshot of all ports,
# and the report commands, each answering its name followed by one row per
# port, group or box, every row a name/value list.
#
# The simulated server keeps no history: the statistics are the values the
# data set holds, whatever period a report asks for.

namespace eval ::vs::reports {}

# A pushed trace line for one port: five elements, the first beginning with
# "."; the fifth a list of five whose second is the port and fourth its state.
proc ::vs::reports::portTraceLine {port state} {
    list .trace 8 [clock seconds] $port [list Port $port State $state 0]
}

proc ::vs::reports::pushPortState {port state} {
    dict set ::vs::data::ports $port state $state
    if {![dict exists $::vs::data::ports $port stats]} {
        dict set ::vs::data::ports $port stats {}
    }
    set count 0
    foreach id [::vs::conn::ids] {
        if {[::vs::conn::isLoggedIn $id] && [::vs::conn::subscription $id] != 0} {
            ::vs::conn::sendFrame $id 1 [::vs::conn::subscription $id] [portTraceLine $port $state]
            incr count
        }
    }
    return $count
}

# The state of every port, pushed to the asking link after its answer.
::vs::cmd::command ResourceSnapShot {} {
    after idle [list ::vs::reports::pushSnapshot $conn]
    return ResourceSnapShot
}

proc ::vs::reports::pushSnapshot {conn} {
    if {![::vs::conn::isLoggedIn $conn]} {
        return
    }
    foreach port [lsort -integer [dict keys $::vs::data::ports]] {
        if {![::vs::conn::isOpen $conn]} {
            return
        }
        ::vs::conn::sendFrame $conn 1 [::vs::conn::subscription $conn] \
            [portTraceLine $port [dict get $::vs::data::ports $port state]]
    }
}

# A dated report asks before it reports from a day the statistics do not
# cover: its answer is the question, naming the first day they do. FROM is
# the report's start argument "HOUR DAY MONTH-FROM-0 YEAR", or -1.
proc ::vs::reports::question {name from} {
    if {$::vs::data::statsfrom eq "" || [llength $from] != 4} {
        return ""
    }
    lassign $from hour day month year
    lassign $::vs::data::statsfrom firstYear firstMonth firstDay
    if {$year * 10000 + ($month + 1) * 100 + $day >= $firstYear * 10000 + $firstMonth * 100 + $firstDay} {
        return ""
    }
    return "$name ?Statistics are kept from $firstMonth/$firstDay/$firstYear on. Start the report on that day?"
}

# Tcl_PortStatistics PORT ?GROUP? ?FROM? ?TO?: PORT -1 gives every port.
::vs::cmd::command Tcl_PortStatistics {port args} {
    set asked [::vs::reports::question Tcl_PortStatistics [lindex $args 1]]
    if {$asked ne ""} {
        return $asked
    }
    set rows {}
    foreach number [lsort -integer [dict keys $::vs::data::ports]] {
        if {$port == -1 || $port == $number} {
            lappend rows [concat [list Port $number] [dict get $::vs::data::ports $number stats]]
        }
    }
    linsert $rows 0 Tcl_PortStatistics
}

# Tcl_GroupStatistics GROUP FROM TO: -1 every group, 0 the whole system (the
# same rows here), else the group of that name.
::vs::cmd::command Tcl_GroupStatistics {group args} {
    set asked [::vs::reports::question Tcl_GroupStatistics [lindex $args 0]]
    if {$asked ne ""} {
        return $asked
    }
    set rows {}
    dict for {name stats} $::vs::data::portgroups {
        if {$group in {-1 0} || $group eq $name} {
            lappend rows [concat [list Group $name] $stats]
        }
    }
    linsert $rows 0 Tcl_GroupStatistics
}

::vs::cmd::command Tcl_SystemInfoReport {} {
    set row $::vs::data::sysinfo
    if {![dict exists $row m_nvports]} {
        dict set row m_nvports [dict size $::vs::data::ports]
    }
    list Tcl_SystemInfoReport $row
}

# --- mailbox reports --------------------------------------------------------

# A list argument of the report commands: "-1" stands for all.
proc ::vs::reports::isAll {list} {
    expr {[string trim $list] eq "-1"}
}

# The mailboxes: boxes that show "COS" "MB" without being a class of service.
proc ::vs::reports::mailboxes {} {
    set found {}
    foreach number [lsort -integer [::vs::data::uaNumbers]] {
        if {$number > 0x40000000 || [dict exists [::vs::data::ua $number] props COS]} {
            continue
        }
        if {[::vs::data::effectiveValue $number COS] eq "MB"} {
            lappend found $number
        }
    }
    return $found
}

proc ::vs::reports::selectBoxes {list} {
    if {[isAll $list]} {
        return [mailboxes]
    }
    lmap number $list {
        if {![::vs::data::uaExists $number]} continue
        ::vs::data::canonical $number
    }
}

# One row of a box: its identity, class of service and statistics, then its
# properties; with keys, only those keys, in their order.
proc ::vs::reports::boxRow {number keys} {
    set record [::vs::data::ua $number]
    set shown [::vs::data::effectiveProps $number]
    set row [dict create Mailbox $number m_cos [dict get $record parent]]
    foreach name {&Name1 &Name2 &Ext &Comment} {
        dict set row $name [expr {[dict exists $shown $name] ? [dict get $shown $name] : ""}]
    }
    if {[dict exists $::vs::data::stats $number]} {
        set row [dict merge $row [dict get $::vs::data::stats $number]]
    }
    set row [dict merge $row $shown]
    if {[isAll $keys]} {
        return $row
    }
    # A statistic the box has no value for counts as none at all.
    set wanted {}
    foreach key $keys {
        if {[dict exists $row $key]} {
            lappend wanted $key [dict get $row $key]
        } elseif {[string match m_* $key]} {
            lappend wanted $key 0
        }
    }
    return $wanted
}

proc ::vs::reports::boxRows {name numbers keys} {
    set rows [list $name]
    foreach number $numbers {
        lappend rows [boxRow $number $keys]
    }
    return $rows
}

proc ::vs::reports::inRange {numbers range} {
    lassign $range first last
    lmap number $numbers {
        if {$number < $first || $number > $last} continue
        set number
    }
}

::vs::cmd::command Tcl_MailboxInfoReport {mbList statReport} {
    ::vs::reports::boxRows Tcl_MailboxInfoReport [::vs::reports::selectBoxes $mbList] $statReport
}

::vs::cmd::command Tcl_MailboxMessageStatReport {mbList statReport} {
    ::vs::reports::boxRows Tcl_MailboxMessageStatReport [::vs::reports::selectBoxes $mbList] $statReport
}

::vs::cmd::command Tcl_MailboxStatistics {mbList statReport start end} {
    set asked [::vs::reports::question Tcl_MailboxStatistics $start]
    if {$asked ne ""} {
        return $asked
    }
    ::vs::reports::boxRows Tcl_MailboxStatistics [::vs::reports::selectBoxes $mbList] $statReport
}

# Tcl_MailboxReport {FIRST LAST} ?{KEYS}? ?DATE...?
::vs::cmd::command Tcl_MailboxReport {range {keys -1} args} {
    set asked [::vs::reports::question Tcl_MailboxReport [lindex $args 0]]
    if {$asked ne ""} {
        return $asked
    }
    ::vs::reports::boxRows Tcl_MailboxReport [::vs::reports::inRange [::vs::reports::mailboxes] $range] $keys
}

# Tcl_UAPropertiesReport ROOT {FIRST LAST} {KEYS}: the boxes of one kind (the
# top of their class-of-service chain is ROOT) within the range.
::vs::cmd::command Tcl_UAPropertiesReport {root range {keys -1}} {
    set found {}
    foreach number [lsort -integer [::vs::data::uaNumbers]] {
        if {$number != $root && [::vs::reports::chainTop $number] == $root} {
            lappend found $number
        }
    }
    ::vs::reports::boxRows Tcl_UAPropertiesReport [::vs::reports::inRange $found $range] $keys
}

proc ::vs::reports::chainTop {number} {
    set seen {}
    while {[::vs::data::uaExists $number] && $number ni $seen} {
        lappend seen $number
        set parent [dict get [::vs::data::ua $number] parent]
        if {$parent == -1} {
            return $number
        }
        set number $parent
    }
    return $number
}

# --- port demo: every MS milliseconds one voice port takes another state,
# so a port monitor shown in a demo stays alive. "portdemo 0" stops it.
namespace eval ::vs::reports { variable demoTimer "" }

proc ::vs::reports::demoStates {} {
    return {On-Hook Off-Hook Ringing Playing Recording {Waiting for Digits} {Playing Greeting}
        {Playing Msg} {Recording Message} {Running IVR} {Managing Mailbox} Transferring {On Hold}
        {Main Menu} Dialing Busy}
}

proc ::vs::reports::demoStep {ms} {
    variable demoTimer
    set ports [dict keys $::vs::data::ports]
    if {[llength $ports]} {
        set port [lindex $ports [expr {int(rand() * [llength $ports])}]]
        set states [demoStates]
        pushPortState $port [lindex $states [expr {int(rand() * [llength $states])}]]
    }
    set demoTimer [after $ms [list ::vs::reports::demoStep $ms]]
}

namespace eval ::vs::control::verb {}

proc ::vs::control::verb::portdemo {ms} {
    if {![string is integer -strict $ms] || $ms < 0} {
        error "an interval is a number of milliseconds, not \"$ms\""
    }
    after cancel $::vs::reports::demoTimer
    set ::vs::reports::demoTimer ""
    if {$ms > 0} {
        if {$ms < 50} {
            error "an interval of $ms ms would flood the links; take 50 or more"
        }
        set ::vs::reports::demoTimer [after $ms [list ::vs::reports::demoStep $ms]]
    }
    ::vs::control::ok
}
# --- end of port demo
