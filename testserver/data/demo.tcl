# Demo data set of the server simulator: what a freshly installed server
# holds (the default manufacturer account, the roots of the user-agent
# kinds, the default box 997 and the system administrator's mailbox 999)
# plus a few administrators, classes of service and mailboxes to show.

timezone EST5EDT

# Administrators: name, password, rights word, range of user agents.
account Cardomel Cardomel 0x80FFFFFF All
account admin admin 0x400000A9 All
account dept dept 0x10000030 {100-105 200}

# Server variables read at login and by the configuration windows.
var EmrId_MsgCopy_Normal 22
var EmrId_MsgCopy_Urgent 58
var EmrId_AIM_Normal 22
var Notification_Events {22 23 36 50 51 52 53 58 59 61 {70 {Fax Received}}}
var Notification_Apps {Pager Phone Email}
var Notification_TUIDisabled_Apps {Email}
var T1_Protocol_List {{E&M Wink Start} {Loop Start} {Ground Start}}
var User_Apps {Voicemail AutoAttendant Directory}
var version_string {Verbanta ES simulator 1.0}
var configuration_wizard_accessed true

# The tops of the class-of-service tree, one for each kind of user agent;
# their "COS" value is the kind's text that the programs read at login.
foreach {number kind} {
    2147483647 MB
    2147483646 DL
    2147483645 IVR
    2147483644 AMIS_GATEWAY
    2147483643 AMIS_PROXY
    2147483642 DS_VOICE
    2147483641 DS_FAX
    2147483640 VPIM_GATEWAY
    2147483639 VPIM_PROXY
} {
    ua $number -stamp 1 [list COS $kind &Name1 "$kind root"]
}

# Classes of service: boxes that hold "COS" themselves.
ua 10 -parent 2147483647 -stamp 3 -scenario 1 {
    COS MB &Name1 Standard &Comment {Standard class of service}
    Store_Message 1 MaxMessages 50 MaxMessageLength 180 language 0 AIM 0
    Multiple_Queue 1
}
ua 20 -parent 10 -stamp 2 {
    COS MB &Name1 Executive &Comment {Executives: more room}
    MaxMessages 200 Lock_MaxMessages 1
}

# The default box and the system administrator's mailbox.
ua 997 -parent 10 -stamp 1 {&Name1 Default &Name2 Box &Ext 997 &Comment {Model of new boxes}}
ua 999 -parent 20 -stamp 1 -sac 1234 {&Name1 System &Name2 Administrator &Ext 999 &Comment {}}

# Mailboxes.
foreach {number first last cos} {
    100 Alice Archer 10
    101 Bruno Baker 10
    102 Carla Cruz 20
    103 Dmitri Dunn 10
    104 Erin Ellis 10
    105 Farid Fox 20
    200 Gwen Gray 10
} {
    ua $number -parent $cos -stamp 1 -sac 0 [list &Name1 $first &Name2 $last &Ext $number &Comment {}]
}
# Hanna's box shows the mailbox pages' own values: a custom busy greeting
# of 45.5 s, an extension with a backslash, copies of new messages from
# 7:05 to 17:30 after two minutes, a telephone system the server no longer
# lists, groups, a time zone and a language of her own.
ua 106 -parent 10 -stamp 1 -sac 0 {&Name1 Hanna &Name2 Holm &Ext {106\\7} &Comment {Pages demo}
    Num_RNA 4 Busy_Greeting 1 Max_Busy_Length 45500 DND 1 PBX Legacy Max_Msg_Length 90000 gain 2
    Message_Order 1 Max_Guests 5 Alternate_Rate 3 dtmf_guard_time 200 Nf_22_Disable 0 Nf_22_Variable 2005
    Nf_22_From 705 Nf_22_To 1730 Nf_22_InitDial 120000 Nf_58_Disable 1 Group_List {sales east} Host_id 103 Time_Zone 12
    chain_delay 500 LanguageSetfrom 0 LanguageName French Multilingual 1
    /AutoSchedRec {{1FFC0401000E000050E81F6B Num_RNA 4 DND 0 Current_Greeting 1}
        {1FFC0401000E0000F074206B DND 1 Current_Greeting 3 &Ext "2001"}
        {7FFE100101200000C024376B Call_Screening_Flag 1 Current_Menu 2}
        {607C080200130000E894266B Num_RNA 6 DND 1}}}
ua 101 -parent 10 -stamp 4 -scenario 2 {&Name1 Bruno &Name2 Baker &Ext 101 &Comment {On leave} MaxMessages 80
    Nf_6_Disable 0 Nf_6_DayOfWeek 127 Nf_6_Holidays 0 Nf_6_From 480 Nf_6_To 1020 Nf_6_InitDial 60000
    Nf_6_RepeatDelay 15 Nf_6_RepeatCount 3 Nf_6_Accessible 1 Nf_6_LineGroup Notify Nf_6_Variable {}}

# The company's departments: a class-of-service tree below Standard and a
# separate tree for guests, each class holding "COS" itself, some with
# values they lock for the boxes below them.
ua 30 -parent 10 -stamp 2 -scenario 4 {
    COS MB &Name1 Sales &Comment {Sales staff} MaxMessages 100 MaxMessageLength 240 Lock_MaxMessageLength 1
}
ua 31 -parent 30 -stamp 1 {COS MB &Name1 {Field sales} &Comment {Sales on the road} MaxMessages 150}
ua 40 -parent 10 -stamp 1 {COS MB &Name1 Support &Comment {Customer support} MaxMessageLength 300 language 0}
ua 41 -parent 40 -stamp 1 {COS MB &Name1 {Night shift} &Comment {Support after hours} language 1 Lock_language 1}
ua 50 -parent 2147483647 -stamp 1 {
    COS MB &Name1 Guests &Comment {Visitors and contractors} Store_Message 1 MaxMessages 10
    MaxMessageLength 60 Lock_MaxMessages 1 language 0 AIM 0
}

# A few hundred mailboxes 2000-2319 spread over the departments: 2000-2099
# sales, 2100-2199 support, 2200-2279 the rest of the company, 2280-2319
# guests. Names, comments and own values vary the way a real site's do.
set firstNames {Ada Ben Chloe Dev Elif Femi Greta Hugo Ines Jonas Kaia Liam Mira Noor Oskar Priya Quinn Rosa Sven Tariq}
set lastNames {Abbott Brandt Castillo Dubois Eklund Fischer Gallo Haddad Ivanova Jensen Kowalski Larsen Moreau Nakamura Okafor Petrov}
set comments {{} {} {} {Remote worker} {Part time} {} {Team lead} {} {On leave until March} {}}
for {set i 0} {$i < 320} {incr i} {
    set number [expr {2000 + $i}]
    if {$i < 100} {
        set cos [expr {$i % 3 == 2 ? 31 : 30}]
    } elseif {$i < 200} {
        set cos [expr {$i % 4 == 3 ? 41 : 40}]
    } elseif {$i < 280} {
        set cos [expr {$i % 10 == 0 ? 20 : 10}]
    } else {
        set cos 50
    }
    set props [list &Name1 [lindex $firstNames [expr {$i % 20}]] &Name2 [lindex $lastNames [expr {($i * 7) % 16}]] \
        &Ext $number &Comment [lindex $comments [expr {$i % 10}]]]
    if {$i % 9 == 4} {
        lappend props MaxMessages [expr {60 + $i % 5 * 20}]
    }
    if {$i % 13 == 6} {
        lappend props language 1
    }
    ua $number -parent $cos -stamp [expr {1 + $i % 4}] -sac [expr {1000 + $i}] $props
}
ua 2001 -parent 30 -stamp 3 -scenario 5 -sac 1001 {&Name1 Ben &Name2 Ivanova &Ext 2001 &Comment {Sales desk}
    MaxMessages 120}
foreach {number new saved} {2000 3 14 2001 0 2 2002 7 1 2100 2 9 2101 0 0 2150 5 5 2200 1 30} {
    stats $number [list m_n_msgcnt $new m_c_pfldmsg 0 m_t_msgcnt $saved m_a_msglen 35 \
        m_t_msglen [expr {35 * ($new + $saved)}] m_c_noans 2 m_c_busy 0 Last_Logon 1765200000]
}

# A distribution list and an IVR application.
ua 300 -parent 2147483646 -stamp 1 {&Name1 Sales &Name2 {Sales team} System_Distribution_List {100 101 102}}
ua 400 -parent 2147483645 -stamp 1 -scenario 3 {&Name1 {Main menu} &Comment {Opening hours menu}
    app_controlls_call 1 language 0 Group_List {}}

# One agent of each remaining kind.
ua 500 -parent 2147483644 -stamp 1 {&Comment {Head office} AmisGatewayEnable 1
    AmisDestinationSystemNumber 4155550100 AmisDestinationDial 9,4155550100 AmisNotificationPortGroup Notify
    AmisNotifyContinueEveryMin 30 AmisNotifyAfterMin 5 AmisNotifyMaxTime 240}
ua 510 -parent 2147483643 -stamp 1 {&Comment {Branch proxy} AmisProxyDestinationMailBox 510}
ua 520 -parent 2147483640 -stamp 1 {&Comment {Partner site} VpimEnable 1 VpimDestinationDomain partner.example
    VpimNotifyContinueEveryMin 30 VpimNotifyAfterMin 5 VpimNotifyMaxTime 240}
ua 521 -parent 2147483639 -stamp 1 {&Comment {Partner proxy} VpimDestinationMBox 521}
ua 530 -parent 2147483642 -stamp 1 {&Comment {Voice broadcast}}
ua 540 -parent 2147483641 -stamp 1 {&Comment {Fax broadcast}}

# Event maps: scenario 1 is the standard class's, 2 Bruno's own, 3 the menu's.
eventmap 1 1 18 Voicemail {}
eventmap 2 1 17 Voicemail {}
eventmap 3 2 18 Transfer 104
eventmap 4 3 4 Transfer 999
eventmap 5 3 5 Transfer 100
eventmap 6 2 22 Pager 5551234
# Sales (scenario 4): unanswered calls go to the operator; Ben's own
# scenario 5 sends them to a colleague and offers menu 1.
eventmap 7 4 18 Transfer 0
eventmap 8 4 17 Voicemail {}
eventmap 9 5 18 Transfer 2002
eventmap 10 5 5 Transfer 2003

# Voice ports with their states and statistics (p_l_called: seconds since 1970).
foreach {port state calledIn calledOut} {
    1 On-Hook 120 14
    2 Off-Hook 98 22
    3 Ringing 45 3
    4 {Waiting for Digits} 77 9
    5 Playing 12 0
    6 Recording 30 5
    7 Block 0 0
    8 {Running IVR} 210 40
} {
    port $port $state [list p_cnt_in $calledIn p_cnt_out $calledOut p_t_busy [expr {$calledIn * 37}] \
        p_l_called [expr {$calledIn ? 1765300000 + $port * 3600 : 0}] p_c_outofsvc [expr {$port == 7}]]
}
portgroup Incoming {port_id {1 2 3 4} tot_in 350 tot_out 48 tot_out_failures 2 s_t_simbsy {1 120 2 30}}
portgroup Notify {port_id {5 6} tot_in 42 tot_out 5 tot_out_failures 0 s_t_simbsy {1 10}}
sysinfo {m_version {Verbanta ES 5.2 (simulated)} m_pbx {Generic DTMF} m_dspace {11.2 GB free}
    m_dtime {12/10/2026 9:00am} m_starttime {12/1/2026 6:00am} m_stime None}

# Mailbox statistics for the reports and the Info page.
foreach {number new saved logon} {
    100 2 5 1765000000
    101 0 12 1765100000
    102 1 0 0
    103 4 3 1764900000
} {
    stats $number [list m_n_msgcnt $new m_c_pfldmsg 0 m_t_msgcnt $saved m_a_msglen 42 \
        m_t_msglen [expr {42 * ($new + $saved)}] m_t_oldmsgdat 11/2/2026 m_c_fax 0 m_t_fax 0 \
        m_c_noans 3 m_c_busy 1 m_c_tro 0 m_c_tre 2 m_c_ab 1 m_t_login 540 m_c_accessed 7 \
        Last_Logon $logon Creation_Time 1/5/2026 m_namerec yes &SAC_was_not_changed no]
}

# Applications and aliases.
foreach name {Voicemail AutoAttendant Directory Pager Phone Email Transfer} {
    app $name
}
alias Operator Transfer 0
alias Beeper Pager
alias NightPager Beeper
alias ASRAADirectorySync Directory
# Aliases the mailbox pages must leave out or list once: two that name each
# other, one that names itself, one whose target the server lacks; one
# named like another but for letter case, one whose target differs from its
# application's name only in case, one listed before a name it begins
# with, and one whose name holds Tcl brackets.
alias LoopA LoopB
alias LoopB LoopA
alias Mirror Mirror
alias Ghost NoSuchApp
alias operator Transfer
alias MailBox Voicemail
alias Mail voicemail
alias {Odd[name]} Directory
var sys_startup_apps {Voicemail Directory}

# System parameters ("sys_") with their descriptions ("meta_": view bit 0
# shows the parameter; type int, bool, list, picklist or text; range).
var sys_tmo_menu 5000
var meta_sys_tmo_menu {view 1 type int range {1000 120000}}
var sys_multiple_language 0
var meta_sys_multiple_language {view 1 type bool}
var sys_application_path {C:/Verbanta/apps}
var meta_sys_application_path {view 1 type directory}
var sys_default_language English
var meta_sys_default_language {view 1 type picklist range {English French Spanish}}
var sys_holiday_prompts {holiday1.vox holiday2.vox}
var meta_sys_holiday_prompts {view 1 type list}
var sys_internal_counter 17
var meta_sys_internal_counter {view 0 type int}
var sys_maximum_box_length 4
var hide_list {sys_internal_counter}
var sys_prompt_files {{english.pmt 0} {french.pmt 1}}
var sys_language_table {{English {english.pmt 0}} {French {french.pmt 1}} {Spanish {spanish.pmt 2}}}

# Configuration lists of the configuration windows.
var Line1 {100 Standard Incoming}
var Line2 {101 Standard Incoming}
var Line3 {102 Standard Incoming}
var Line4 {103 Standard Notify}
var pbx_list {Generic Meridian}
var Generic_pbx_type DTMF
# Answer methods: name, then {greeting user agent, rings, port group}.
var answer_method_list [list {Standard {997 4 Incoming}} {Sales {2000 4 Incoming}} {SalesNight {2000 2 Incoming}} \
    {Support {2100 4 Incoming}} {SupportNight {2100 2 Notify}} {Overflow {2100 1 Incoming}}]
var jobq {{Notify {5 6} 2}}
var statistical_groups {{Incoming {1 2 3 4}} {Notify {5 6}}}
var serialports {}
var ivr_hostte_emulator {}
var holidays {}
var Scheduled_Action_list {}

# Prompts on the server and a number that is always busy.
serverfile C:/Verbanta/prompts/record_synonyms.VOX
serverfile C:/Verbanta/prompts/syn_100_1.vox
phone 5550000 Busy

# Server procedures the configuration windows call.
script {
    proc LoadMetaInfo {} {
        return LoadMetaInfo
    }
    proc get_serial_ports {} {
        return {get_serial_ports COM1 COM2}
    }
    proc get_notify_port_groups {} {
        linsert $::jobq 0 get_notify_port_groups
    }
    proc is_valid_ua {number} {
        GetUA $number {}
        return is_valid_ua
    }
    proc is_valid_mailbox {number} {
        if {[lsearch -exact [lrange [GetUAList4Property COS MB notowned] 1 end] $number] < 0} {
            error "$number is not a mailbox"
        }
        return is_valid_mailbox
    }
    proc is_valid_appname {name} {
        if {$name ni [concat [lrange [GetAppList] 1 end] [lrange [GetAliasList] 1 end]]} {
            error "no application $name"
        }
        return is_valid_appname
    }
    proc is_valid_file {path} {
        if {![file exists $path]} {
            error "no file $path"
        }
        return is_valid_file
    }
    proc is_valid_directory {path} {
        if {$path ne $::sys_application_path} {
            error "no directory $path"
        }
        return is_valid_directory
    }
    proc is_valid_fax_linegroup {name} {
        if {$name ni [lmap group $::jobq {lindex $group 0}]} {
            error "no line group $name"
        }
        return is_valid_fax_linegroup
    }
}

# --- mainframe: where the server's own Tcl scripts lie (ASR Sync sources one).
var sys_tcl_library_path {C:/Verbanta/tcl}
# --- end mainframe

# --- info and schedule pages: Hanna's statistics, refreshed every 15 s by an
# open Info page. Her schedule (above, "/AutoSchedRec"): weekdays at 8:00 the
# office greeting, at 18:00 do-not-disturb with calls going to 2001, the
# month-end menu on the last day of every month, and a disabled weekend
# record every second week.
var sys_statistics_interval 15000
stats 106 {Creation_Time {03/17/2002 10:15:33} m_changed_time 1796766120 m_c_accessed 1284 m_t_login 5120
    m_t_msgcnt 12 m_max_count 50 m_n_msgcnt 3 m_n_msglen 95 m_t_messages 15 m_c_busy 2 m_c_fax 1 m_s_fax 4
    m_c_called 214 m_c_tre 87 m_c_login 41 m_c_notification 9 m_l_called 1796918700
    m_l_transfered 1796854800 Last_Logon 1796908320 m_l_notified 1796854800}
# --- end info and schedule pages

# Notifications: the port groups a notification may take its line from.
var notify_port_groups {{Notify {5 6} 2} {Pagers {7} 1} {Overflow {8} 1}}
script {
    proc get_notify_port_groups {} {
        linsert $::notify_port_groups 0 get_notify_port_groups
    }
}

# --- asr: Erin's box is set up for the ASR auto attendant (declared again,
# as before, with the ASR properties): callers may ask by speech to be
# transferred or to leave a message, under two synonyms, one of them with a
# recorded prompt.
ua 104 -parent 10 -stamp 1 -sac 0 {&Name1 Erin &Name2 Ellis &Ext 104 &Comment {}
    ASR_Transfer 1 ASR_Login 0 ASR_SendMsg 1 &ASR_Alias_List {{Front Desk} {Reception} }}
serverfile C:/Verbanta/tcl/asr_aa_data/prompts/record_synonyms.VOX
serverfile C:/Verbanta/tcl/asr_aa_data/prompts/Front_Desk.vox
# --- end asr

# --- distribution lists and administrators: more to show in their windows.
ua 301 -parent 2147483646 -stamp 1 {&Name1 Support &Name2 {Support desk} Group_List 7
    System_Distribution_List {103 2000-2002 2100}}
ua 302 -parent 2147483646 -stamp 1 {&Name1 Managers &Name2 Managers Group_List {7 9}
    System_Distribution_List {102 999}}
account helpdesk helpdesk 0x10000020 {2000-2199}
account nightops nightops 0x20000089 All
# --- end distribution lists and administrators

# --- agents: more agents of the kinds that have list windows of their own;
# the directory agent has no scenario yet.
ua 401 -parent 2147483645 -stamp 1 {&Name1 Directory &Comment {Company directory} app_controlls_call 0}
ua 402 -parent 2147483645 -stamp 1 -scenario 3 {&Name1 {After hours} &Comment {Closed: menu again}
    app_controlls_call 1}
ua 522 -parent 2147483640 -stamp 1 {&Comment {Second partner} VpimEnable 0 VpimDestinationDomain two.example
    VpimNotifyContinueEveryMin 15 VpimNotifyAfterMin 2 VpimNotifyMaxTime 60}
ua 523 -parent 2147483639 -stamp 1 {&Comment {Second proxy} VpimDestinationMBox 4400}
ua 531 -parent 2147483642 -stamp 1 {&Name1 Staff &Name2 Notice &Comment {Staff notices} Group_List {1 3-5}}
ua 541 -parent 2147483641 -stamp 1 {&Name1 Price &Name2 List &Comment {Price list fax} Group_List 2}
ua 542 -parent 2147483641 -stamp 1 {&Comment {Order forms}}
ua 511 -parent 2147483643 -stamp 1 {&Comment {East proxy} AmisProxyDestinationMailBox 7001
    AmisDestinationSystemNumber 1#714#5551212# AmisDestinationDial 9,7145551212}
# --- end agents
