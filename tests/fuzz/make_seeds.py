#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Writes the seed corpus: status and setting replies in the printer's record format
(STX, tag, value, ETX) and tarn command lines (one word per line)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
STX, ETX = "\x02", "\x03"


def rec(body):
    return STX + body + ETX


def status(state="IL", model="GL", error="00", warnings="", sensor="IR", box="RH",
           inks="RH,RH,RH,RH", paper="F", pause="UN", fatal="0"):
    # The records in the order of the status request's queries.
    return "".join([
        rec("^S(SMA,S," + state), rec("^S(IMM,I," + model), rec("^S(SEA,E," + error),
        rec("WN" if warnings == "" else "WN," + warnings), rec("^S(CLM,P," + sensor),
        rec("^S(IMF,V,1.00"), rec("MN," + box), rec("IQ," + inks), rec("^S(IMP,S,0"),
        rec("^S(SPA,P," + paper), rec("^S(SPA,S,0"), rec("^S(SPA,O," + pause),
        rec("^S(SEA,F," + fatal),
    ])


STATUS = {
    "ready": status(),
    "ready_mt": status(model="MT"),
    "idle_paper_ir": status(paper="T", sensor="IR"),
    "idle_paper_er": status(paper="T", sensor="ER"),
    "idle_wnc": status(warnings="WNC"),
    "idle_wsc_mnf": status(warnings="WSC,MNF"),
    "idle_ink_low": status(warnings="IC1,IY1", inks="RH,RN,RM,RN"),
    "idle_nsu": status(warnings="NSU"),
    "idle_no_wn": status().replace(rec("WN"), ""),
    "error_cover": status(state="ER", error="CO"),
    "error_fatal": status(state="ER", error="FE", fatal="1234"),
    "error_ink_missing": status(state="ER", error="IE", inks="RH,NA,RH,CI"),
    "error_ink_replace": status(state="ER", error="IE", inks="RR,RN,RH,RH", box="RL"),
    "error_sensor": status(state="ER", error="SN", sensor="ER"),
    "pause": status(state="PS", pause="NC"),
    "spooling": status(state="SP"),
    "printing_ncr": status(state="PR", warnings="NCR"),
    "printing_plain": status(state="PR"),
    "cleaning": status(state="CL"),
    "two_iq_records": status(inks="RH,RM,RL,RH") + rec("IQ,RN,#NA,RR,RH") + rec("MN,RN"),
    "iq_not_available": status(inks="#NA"),
}

SETTINGS = {
    "paper_source": rec("^S(CLM,P,IR") + rec("^S(CLM,S,L") + rec("^S(CLM,F,G") +
                    rec("^S(CLM,D,R") + rec("^S(CLS,C,120") + rec("^S(CLS,G,-24") +
                    rec("^S(CLS,R,36") + rec("^S(CLS,T,0"),
    "positions": rec("^S(CLE,T,-12") + rec("^S(CLE,M,8") + rec("^S(CLP,O,1.5") +
                 rec("^S(CMQ,A,30") + rec("^S(CMQ,B,40"),
    "printer_setting": rec("^S(CMF,G,2") + rec("^S(CWR,C,E") + rec("^S(CMP,M,P") +
                       rec("^S(CPC,Q,H") + rec("^S(CLM,T,P"),
    "peeler_bad_mode": rec("^S(CMP,M,X"),
    "unit_preamble_echo": "^XA^S(CMP,U,D^S(CLR,P,600^XZ" + rec("^S(CLS,C,600"),
}

COMMAND_LINES = {
    "status": ["-p", "Q", "-o", "status", "-o", "statusGroup", "-o", "inkK"],
    "list": ["-l"],
    "dryrun_set": ["-n", "-p", "Q", "-o", "paperSource=IR", "-o", "formGap"],
    "command_file": ["-c", "-i", "in.txt", "-u", "out.txt", "-p", "Q"],
    "command_file_no_input": ["-c", "-p", "Q"],
    "function": ["-p", "Q", "-f", "printNozzleCheck"],
    "two_queues": ["-v", "-d", "-p", "A", "-p", "B", "-o", "deviceID"],
    "missing_value": ["-p", "Q", "-o"],
    "no_queue": ["-o", "status"],
    "bad_word": ["-p", "Q", "status"],
}


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data.encode("latin-1"))


for name, text in STATUS.items():
    write("status_reply", name, text)
for name, text in SETTINGS.items():
    write("setting_value", name, text)
for name, words in COMMAND_LINES.items():
    write("command_line", name, "\n".join(words))

# Emulator input: the first byte picks the model, then lines; "!" lines go to the control port.
EMULATOR = {
    "status_request": "\x00~H(SMA,S~H(IMM,I~H(SEA,E~H(QWN~H(CLM,P~H(QMN~H(QIQ~H(SEA,F",
    "set_and_read": "\x01^XA^S(CMP,U,D^S(CLR,P,600^S(CLS,C,120^XZ\n~H(CLS,C~H(CLM,P",
    "control_fields": "\x02!set P state ER\n!set P error IE\n!set P inkK NA\n!get P state\n!list",
    "nozzle_check": "\x03~W(PNC\n!finish P\n!log P",
    "settings": "\x04!settings P\n!setting P formGap 240\n!setting P formGap\n!reset P",
    "fault": "\x05!fault P slow status 50\n!fault P none\n!ping\n!quit",
}

GUI_VALUES = {
    "packed_ir": "IR",
    "number": "203, Status_ER_IE_NACI",
    "destination": "destination: Label_Printer",
    "quote": "it's a queue",
    "line_end": "21070, 21070\nrest",
}

for name, text in EMULATOR.items():
    write("emulator_printer", name, text)
for name, text in GUI_VALUES.items():
    write("gui_conversions", name, text)

# Report input: the first byte places the end of the status reply in the rest (0-255 of it).
def report_seed(status_text, get_text):
    total = len(status_text) + len(get_text)
    share = (len(status_text) * 255 + total - 1) // total if total else 0
    return chr(share) + status_text + get_text


REPORTS = {
    "ready_with_paper": report_seed(STATUS["ready"], SETTINGS["paper_source"]),
    "ink_error_positions": report_seed(STATUS["error_ink_missing"], SETTINGS["positions"]),
    "printing_settings": report_seed(STATUS["printing_ncr"], SETTINGS["printer_setting"]),
    "no_status": report_seed("", SETTINGS["peeler_bad_mode"] + "\n\x8a\x00tail"),
}
for name, text in REPORTS.items():
    write("reply_report", name, text)
